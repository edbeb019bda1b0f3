#pragma once

class QWidget;

// Applies the parts of a form description that Qt widgets have no property
// for. Read from dynamic properties set in the .ui files:
//   designedLeft, designedTop  on the form: the screen position of its frame;
//   backgroundColour           on the form or any control;
//   dockedTo     "bottom" on a panel: glued to the form's bottom edge;
//   borderStyle  "single" (fixed size) or "dialog" (fixed, close box only);
//   textStyle    on any control: the name of its style in forms.qss.
// Labels without word wrap also grow to their text where it is wider.
namespace WindowDesign {

void apply(QWidget *form);
// Re-lays the bottom-aligned panels after the form's size changed.
void alignPanels(QWidget *form);
// Moves the form's frame to its designed place.
void placeAtDesignedPosition(QWidget *form);

} // namespace WindowDesign
