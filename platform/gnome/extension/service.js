// The windows Drapeno may hide or show, offered on the user's own session
// bus. Titles are matched by Drapeno itself: the service lists the windows,
// topmost first, and acts on one by its id. Shared by both builds of the
// extension, each of which puts its own imports of Gio, Meta and the shell's
// Main before it.

const BusName = 'org.drapeno.Shell';
const ObjectPath = '/org/drapeno/Shell';
const InterfaceXml = `<node>
  <interface name="org.drapeno.Shell">
    <method name="List">
      <arg type="a(tsb)" direction="out" name="windows"/>
    </method>
    <method name="Hide">
      <arg type="t" direction="in" name="id"/>
      <arg type="b" direction="out" name="found"/>
      <arg type="b" direction="out" name="hidden"/>
    </method>
    <method name="Show">
      <arg type="t" direction="in" name="id"/>
      <arg type="b" direction="out" name="found"/>
    </method>
  </interface>
</node>`;

// The windows a user thinks of as a program's own, dialogs included.
const ListedTypes = [Meta.WindowType.NORMAL, Meta.WindowType.DIALOG, Meta.WindowType.MODAL_DIALOG];

function ListedWindows() {
    const all = global.display.list_all_windows().filter(window =>
        ListedTypes.includes(window.get_window_type()) && !window.is_override_redirect());
    return global.display.sort_windows_by_stacking(all).reverse();
}

// Mutter 49 took get_maximized() away, and unmaximize() its directions;
// whichever is there is used, in any direction it is maximised.
function Unmaximize(window) {
    if (typeof window.get_maximized === 'function') {
        if (window.get_maximized())
            window.unmaximize(Meta.MaximizeFlags.BOTH);
    } else if (window.get_maximize_flags()) {
        window.unmaximize();
    }
}

const DrapenoService = class DrapenoService {
    constructor() {
        this._hidden = new Map();  // window -> its signal handlers
        this._object = null;
        this._owner = 0;
    }

    enable() {
        this._object = Gio.DBusExportedObject.wrapJSObject(InterfaceXml, this);
        this._object.export(Gio.DBus.session, ObjectPath);
        this._owner = Gio.bus_own_name_on_connection(Gio.DBus.session, BusName,
            Gio.BusNameOwnerFlags.NONE, null, null);
    }

    // The windows it hid stay minimised, and come back into Alt+Tab and the
    // overview.
    disable() {
        Gio.bus_unown_name(this._owner);
        this._owner = 0;
        this._object.unexport();
        this._object = null;
        for (const window of [...this._hidden.keys()])
            this._forget(window);
    }

    List() {
        return ListedWindows().map(window =>
            [window.get_id(), window.get_title() || '', this._hidden.has(window)]);
    }

    // Found, and hidden: mutter will not minimise some windows (a dialog, a
    // modal window), and no other way of hiding one holds, as mutter sets
    // the actor's visibility and the window's place anew on its own changes.
    // Such a window keeps its place in Alt+Tab and the overview, and Drapeno
    // says the desktop refused.
    Hide(id) {
        const window = this._find(id);
        if (!window)
            return [false, false];
        if (!window.can_minimize())
            return [true, false];
        if (!this._hidden.has(window))
            this._remember(window);
        window.minimize();
        if (window.minimized)
            return [true, true];
        this._forget(window);
        return [true, false];
    }

    Show(id) {
        const window = this._find(id);
        if (!window)
            return false;
        this._forget(window);
        if (window.is_fullscreen())
            window.unmake_fullscreen();
        Unmaximize(window);
        window.unminimize();
        // The shell's own way: it also closes the overview, which from GNOME
        // 51 on keeps the focus from every window while it is up.
        Main.activateWindow(window, global.display.get_current_time_roundtrip());
        return true;
    }

    _find(id) {
        return ListedWindows().find(window => window.get_id() === id) || null;
    }

    // Mutter has no setter for skip-taskbar: Alt+Tab and the overview read
    // the property from the window's object, where it is shadowed. Nothing
    // is notified, as ShellApp counts its windows on that notification.
    _remember(window) {
        Object.defineProperty(window, 'skip_taskbar', {value: true, configurable: true});
        const back = window.connect('notify::minimized', () => {
            if (!window.minimized)
                this._forget(window);
        });
        const gone = window.connect('unmanaged', () => this._forget(window));
        this._hidden.set(window, [back, gone]);
    }

    _forget(window) {
        const handlers = this._hidden.get(window);
        if (!handlers)
            return;
        handlers.forEach(handler => window.disconnect(handler));
        delete window.skip_taskbar;
        this._hidden.delete(window);
    }
};
