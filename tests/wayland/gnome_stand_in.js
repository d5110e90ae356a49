// Stand-ins that misbehave. For Drapeno's GNOME Shell extension: it owns the
// extension's bus name and answers the listing with no list (garbage), or
// never answers it (silent). For GNOME Shell itself: it owns the shell's name
// and gives its ShellVersion as a number (shell-garbage), or never gives it
// (shell-silent). Usage: gjs gnome_stand_in.js garbage|silent|shell-garbage|shell-silent
const {Gio, GLib} = imports.gi;

const mode = ARGV[0];
const silent = mode.endsWith('silent');
let service = null;
if (mode.startsWith('shell-')) {
    const xml = `<node><interface name="org.gnome.Shell">
        <property name="ShellVersion" type="${silent ? 's' : 'u'}" access="read"/></interface></node>`;
    service = Gio.DBusExportedObject.wrapJSObject(xml, {
        // GDBus asks for a property's value and answers at once: the
        // silent shell is held inside, past the run's deadline.
        get ShellVersion() {
            if (silent)
                GLib.usleep(60 * GLib.USEC_PER_SEC);
            return silent ? '48.0' : 48;
        },
    });
    service.export(Gio.DBus.session, '/org/gnome/Shell');
    Gio.bus_own_name_on_connection(Gio.DBus.session, 'org.gnome.Shell', Gio.BusNameOwnerFlags.NONE, null, null);
} else {
    const xml = `<node><interface name="org.drapeno.Shell"><method name="List">
        <arg type="${silent ? 'a(tsb)' : 's'}" direction="out"/></method></interface></node>`;
    service = Gio.DBusExportedObject.wrapJSObject(xml, {
        ListAsync(parameters, invocation) {
            if (!silent)
                invocation.return_value(new GLib.Variant('(s)', ['not a list']));
            else
                service.held = invocation;
        },
    });
    service.export(Gio.DBus.session, '/org/drapeno/Shell');
    Gio.bus_own_name_on_connection(Gio.DBus.session, 'org.drapeno.Shell', Gio.BusNameOwnerFlags.NONE, null, null);
}
new GLib.MainLoop(null, false).run();
