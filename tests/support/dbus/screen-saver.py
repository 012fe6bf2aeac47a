"""A python3-dbusmock template: the desktop's screen saver as org.freedesktop.ScreenSaver.

SetActive(b) turns it on or off and announces the change with ActiveChanged, as a desktop does
when it locks the screen or unlocks it.
"""

BUS_NAME = "org.freedesktop.ScreenSaver"
MAIN_OBJ = "/org/freedesktop/ScreenSaver"
MAIN_IFACE = "org.freedesktop.ScreenSaver"
SYSTEM_BUS = False


def load(mock, _parameters):
    mock.active = False
    mock.AddMethods(MAIN_IFACE, [
        ("GetActive", "", "b", "ret = self.active"),
        ("SetActive", "b", "b",
         'self.active = args[0]; self.EmitSignal("", "ActiveChanged", "b", [args[0]]); ret = True'),
    ])
