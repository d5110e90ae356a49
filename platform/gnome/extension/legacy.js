// GNOME Shell 43 and 44 load an extension as a script, with imports.gi.
const {Gio, Meta} = imports.gi;
const Main = imports.ui.main;

/* service.js */
/* exported init */
function init() {
    return new DrapenoService();
}
