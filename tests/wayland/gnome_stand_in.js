// A stand-in for Drapeno's GNOME Shell extension that misbehaves: it owns the
// extension's bus name and answers the listing with no list (garbage), or
// never answers it (silent). Usage: gjs gnome_stand_in.js garbage|silent
const {Gio, GLib} = imports.gi;

const silent = ARGV[0] === 'silent';
const xml = `<node><interface name="org.drapeno.Shell"><method name="List">
    <arg type="${silent ? 'a(tsb)' : 's'}" direction="out"/></method></interface></node>`;
const service = Gio.DBusExportedObject.wrapJSObject(xml, {
    ListAsync(parameters, invocation) {
        if (!silent)
            invocation.return_value(new GLib.Variant('(s)', ['not a list']));
        else
            service.held = invocation;
    },
});
service.export(Gio.DBus.session, '/org/drapeno/Shell');
Gio.bus_own_name_on_connection(Gio.DBus.session, 'org.drapeno.Shell', Gio.BusNameOwnerFlags.NONE, null, null);
new GLib.MainLoop(null, false).run();
