"""A form as its description (.ui) beside its class designs it: journeys aim
at the designed places, so a control that moved there moves them too."""
import os
import xml.etree.ElementTree as ElementTree

FORM_FOLDERS = ("app", "theory", "tasks")


class DesignedForm:
    def __init__(self, source_dir, module):
        paths = [os.path.join(source_dir, folder, module + ".ui") for folder in FORM_FOLDERS]
        self.path = next((path for path in paths if os.path.exists(path)), None)
        if not self.path:
            raise FileNotFoundError(f"no form {module}.ui in {', '.join(FORM_FOLDERS)}")
        ui = ElementTree.parse(self.path).getroot()
        self.root = ui.find("widget")
        self.parents = {child: parent for parent in self.root.iter("widget") for child in parent.findall("widget")}
        # The controls in the order Tab walks them, as the form declares it.
        self.tab_order = [stop.text for stop in ui.iterfind("tabstops/tabstop")]
        self.caption = self.root.findtext("property[@name='windowTitle']/string", "")

    @staticmethod
    def _rect(widget):
        rect = widget.find("property[@name='geometry']/rect")
        return rect is not None and tuple(int(rect.findtext(k)) for k in ("x", "y", "width", "height"))

    @property
    def size(self):
        """The form's designed client size."""
        return self._rect(self.root)[2:]

    @property
    def designed_place(self):
        """Where the form's frame stands on the screen, as designed."""
        return tuple(int(self.root.findtext(f"property[@name='{name}']/number"))
                     for name in ("designedLeft", "designedTop"))

    def has(self, name):
        return any(widget.get("name") == name for widget in self.root.iter("widget"))

    def _widget(self, name):
        found = next((w for w in self.root.iter("widget") if w.get("name") == name), None)
        if found is None:
            raise KeyError(f"{name} is not in {self.path}")
        return found

    def rect(self, name, client_height):
        """Client-area rectangle of a control. A panel docked to the bottom
        sits at the bottom of the real client area, whatever its designed top."""
        widget = self._widget(name)
        own, x, y = self._rect(widget), 0, 0
        while widget is not self.root:
            rect = self._rect(widget)
            if rect:  # the main window's central widget has none
                docked = widget.findtext("property[@name='dockedTo']/string") == "bottom"
                x, y = x + rect[0], y + (client_height - rect[3] if docked else rect[1])
            widget = self.parents[widget]
        return (x, y, own[2], own[3])

    def spoken_name(self, name):
        """What a screen reader calls a control: its accessible name, or else its text."""
        widget = self._widget(name)
        for prop in ("accessibleName", "text"):
            if text := widget.findtext(f"property[@name='{prop}']/string"):
                return text
        raise KeyError(f"{name} in {self.path} has neither an accessible name nor a text")
