#pragma once

#include "widgets/TiVCLComponent.h"

// Base class of every concrete instrument widget.
//
// How a widget is built on it:
//
// * Paint: override iPaintTo(TiCanvas&) and draw only through the canvas
//   (pen, brush and font objects; rectangles exclude Right/Bottom; angles
//   count counter-clockwise from 3 o'clock; GetXYRadPoint turns them into
//   pixels). The base renders into an off-screen image, copies it in one
//   step, and paints the message of any exception iPaintTo throws (white on
//   black) instead of the widget.
// * Static layers (background, scale, sections, ticks) go into the cached
//   background: call DrawCached(canvas, [&](TiCanvas& c) { DrawBackGround(c,
//   BackGroundColor()); drawScale(c); }) first, then draw the moving parts
//   (pointer, liquid, lit segments) on the canvas. The callback runs only
//   after a background change (or on every paint when CachedDrawing is off).
//   A widget without moving layers simply calls DrawBackGround itself.
// * Setters: compare first. Use SetProperty(newValue, field, kind) for a
//   field of any type (numbers, enums, colours, strings, fonts, images) with
//   irtBackGround when a static layer changes and irtInvalidate when only a
//   moving part changes; it does nothing for an unchanged value and reports
//   whether it stored.
// * Locking: hold the paint lock with a PaintLock guard, never with bare
//   Lock()/Unlock() pairs.
//   Value setters fire their Qt signal (OnChange, OnPositionChange, ...) after
//   RequestEdit("Name") agreed and the value was stored, followed by
//   PropertyChanged("Name"); they stay silent while Loading(), and each has a
//   ...NoEvent variant that skips the signal.
// * Published properties are Q_PROPERTYs with their published names and
//   int/double/bool/QString/TColor(int)/TiFont types, so the window's layout
//   tables can assign them with setProperty between BeginLoading() and
//   Loaded(). Override Loaded() (call the base first) for work that must
//   follow the loading, such as the auto-scaler.
// * Input: override the i-hooks (iMouseDown, iMouseMove, iMouseUp, iKeyDown,
//   iKeyUp, iKeyPress, iMouseWheel, iDoSetFocus, iDoKillFocus); UserGenerated()
//   is true while they run. Call SetTabStop(true) for keyboard widgets and
//   setFocus() from iMouseDown to take the focus on a click.
// * Shape rules (square lamp, automatic width): override SetBounds.
// * Geometry that tests check belongs in pure functions, not in iPaintTo.
class TiCustomComponent : public TiVCLComponent {
    Q_OBJECT

public:
    explicit TiCustomComponent(QWidget* parent = nullptr);
};
