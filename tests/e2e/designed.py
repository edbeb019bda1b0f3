"""The designed geometry of a form, read from its description (.ui) beside
its class.

Journeys aim at controls by the positions the forms were designed with, so
a control that moved in its description moves the journey with it.
"""
import os
import xml.etree.ElementTree as ElementTree


# The folders that hold the program's forms.
FORM_FOLDERS = ("app", "theory", "tasks")


def form_path(source_dir, module):
    for folder in FORM_FOLDERS:
        path = os.path.join(source_dir, folder, module + ".ui")
        if os.path.exists(path):
            return path
    raise FileNotFoundError(f"no form {module}.ui in {', '.join(FORM_FOLDERS)}")


class DesignedForm:
    def __init__(self, source_dir, module):
        self.path = form_path(source_dir, module)
        ui = ElementTree.parse(self.path).getroot()
        self.root = ui.find("widget")
        # The controls in the order Tab walks them, as the form declares it.
        self.tab_order = [stop.text for stop in ui.iterfind("tabstops/tabstop")]
        self.caption = self._string(self.root, "windowTitle")

    @staticmethod
    def _property(widget, name):
        return next((p for p in widget.findall("property") if p.get("name") == name), None)

    @classmethod
    def _string(cls, widget, name):
        prop = cls._property(widget, name)
        return prop.findtext("string", "") if prop is not None else ""

    @classmethod
    def _rect(cls, widget):
        prop = cls._property(widget, "geometry")
        if prop is None:
            return None
        rect = prop.find("rect")
        return tuple(int(rect.findtext(k)) for k in ("x", "y", "width", "height"))

    @property
    def size(self):
        """The form's designed client size."""
        return self._rect(self.root)[2:]

    @property
    def designed_place(self):
        """Where the form's frame stands on the screen, as designed."""
        return tuple(int(self.root.find(f"property[@name='{name}']/number").text)
                     for name in ("designedLeft", "designedTop"))

    def names(self):
        """The names of every control of the form."""
        return [widget.get("name") for widget in self.root.iter("widget")]

    def has(self, name):
        return self._find(self.root, name, ()) is not None

    def _find(self, widget, name, chain):
        for child in widget.findall("widget"):
            if child.get("name") == name:
                return chain + (child,)
            found = self._find(child, name, chain + (child,))
            if found:
                return found
        return None

    def rect(self, name, client_height):
        """Client-area rectangle of a control. A bottom-aligned panel sits at
        the bottom of the real client area, whatever its designed top."""
        chain = self._find(self.root, name, ())
        if chain is None:
            raise KeyError(f"{name} is not in {self.path}")
        x = y = 0
        for widget in chain[:-1]:
            rect = self._rect(widget)
            if rect is None:  # the main window's central widget
                continue
            x += rect[0]
            y += self._top(widget, rect, client_height)
        own = self._rect(chain[-1])
        return (x + own[0], y + self._top(chain[-1], own, client_height), own[2], own[3])

    def _top(self, widget, rect, client_height):
        align = self._property(widget, "dockedTo")
        if align is not None and align.findtext("string") == "bottom":
            return client_height - rect[3]
        return rect[1]
