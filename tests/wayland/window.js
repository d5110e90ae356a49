// A plain top-level window for the Wayland tests: resizable, so it can be
// maximised, and a normal window, so it can be minimised; or, with modal, one
// GNOME takes for a dialog and will not minimise.
// Usage: gjs window.js TITLE [GTK-VERSION [modal]]   (3.0 by default; 4.0 where no GTK 3 is)
imports.gi.versions.Gtk = ARGV[1] || '3.0';
const {GLib, Gtk} = imports.gi;

const properties = {title: ARGV[0], modal: ARGV[2] === 'modal'};
if (Gtk.get_major_version() === 3) {
    Gtk.init(null);
    new Gtk.Window(properties).show_all();
    Gtk.main();
} else {
    Gtk.init();
    new Gtk.Window(properties).present();
    new GLib.MainLoop(null, false).run();
}
