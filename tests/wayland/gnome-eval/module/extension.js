// Test only: org.gnome.Shell.Eval answers in unsafe mode alone. The build
// GNOME Shell 45 and later load, an ES module.
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

export default class EvalExtension extends Extension {
    enable() {
        global.context.unsafe_mode = true;
    }

    disable() {
        global.context.unsafe_mode = false;
    }
}
