// Test only: org.gnome.Shell.Eval answers in unsafe mode alone. The build
// GNOME Shell 43 and 44 load, a script.
/* exported init */
function init() {
    return {
        enable() {
            global.context.unsafe_mode = true;
        },
        disable() {
            global.context.unsafe_mode = false;
        },
    };
}
