#!/usr/bin/python3
"""Stand-ins for desktops that never answer. `holder.py grab`: holds the X
server of DISPLAY. `holder.py listen PATH`: a Unix socket at PATH that accepts
connections and never answers. Prints "ready" once in place, then holds until
it is ended."""
import socket
import sys
import time

held = []
if sys.argv[1] == "grab":
    from Xlib.display import Display

    display = Display()
    display.grab_server()
    display.sync()
    held.append(display)
else:
    server = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    server.bind(sys.argv[2])
    server.listen(16)
    held.append(server)
print("ready", flush=True)
while True:
    if sys.argv[1] == "grab":
        time.sleep(60)
    else:
        held.append(server.accept()[0])
