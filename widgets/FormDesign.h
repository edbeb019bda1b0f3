#pragma once

class QWidget;

// Applies the parts of a form description that Qt widgets have no property
// for. Read from dynamic properties set in the .ui files:
//   Left, Top   on the form: the designed screen position of its frame;
//   Color       on the form or any control: the background colour;
//   Align       "bottom" on a panel: glued to the form's bottom edge;
//   BorderStyle "single" (fixed size) or "dialog" (fixed, close box only).
// Labels without word wrap also grow to their text where it is wider.
namespace FormDesign {

void apply(QWidget *form);
// Re-lays the bottom-aligned panels after the form's size changed.
void alignPanels(QWidget *form);
// Moves the form's frame to its designed place.
void placeAtDesignedPosition(QWidget *form);

} // namespace FormDesign
