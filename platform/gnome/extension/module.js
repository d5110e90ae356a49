// GNOME Shell 45 and later load an extension as an ES module.
import Gio from 'gi://Gio';
import Meta from 'gi://Meta';
import * as Main from 'resource:///org/gnome/shell/ui/main.js';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

/* service.js */
export default class DrapenoExtension extends Extension {
    enable() {
        this._service = new DrapenoService();
        this._service.enable();
    }

    disable() {
        this._service.disable();
        this._service = null;
    }
}
