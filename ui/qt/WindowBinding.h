#pragma once

#include <QKeyEvent>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "ui/ControlModel.h"
#include "ui/Mirror.h"

namespace sorato::qt {

class FormWidget;

// Mirrors the control model onto Qt widgets, property by property, and turns the user's
// input into model input.  It decides nothing: enabled, visible, captions, the selection
// of the option buttons and where the focus goes all come from the model.
class WindowBinding : public Mirror {
 public:
  explicit WindowBinding(ControlModel& model);
  ~WindowBinding() override;
  WindowBinding(const WindowBinding&) = delete;
  WindowBinding& operator=(const WindowBinding&) = delete;

  ControlModel& model() { return model_; }
  FormWidget* window() const;
  // The widget of a control; null for the timers.
  QWidget* widgetOf(const Control& c) const;
  Control* controlOf(const QWidget* w) const;
  // The shown children of a container's widget, in the model's reading order.
  std::vector<QWidget*> readingChildren(const QWidget* container) const;

  // Shows the window with the focus on the selected bank option.
  void show();

  // Twips to pixels and back, at the screen's logical DPI (1440 twips to the inch).
  int toPixelsX(double twips) const;
  int toPixelsY(double twips) const;
  float toTwipsX(double px) const;
  float toTwipsY(double px) const;
  double dpiY() const { return dpiY_; }
  // Where a control's widget stands in its parent, in pixels.
  QRect pixelRect(const Control& c) const;

  // A widget's click goes to the model as Mirror::clicked.
  // A key pressed on a control's widget, as the model answers it; true if it was taken.
  bool keyPressed(Control& c, const QKeyEvent& e);
  void keyReleased(const QKeyEvent& e);

  void unloaded() override;

 private:
  void apply(Control& c, Prop p) override;
  Control* focusedControl() const override;
  void focus(Control& c, FocusCause why) override;
  void create(Control& c);
  void applyAll(Control& c);
  void place(Control& c);
  void applyLook(Control& c);
  void applyFont(Control& c);
  void stack(Control& container);
  void refreshInput();

  std::unique_ptr<FormWidget> window_;
  std::array<QPointer<QWidget>, ControlModel::kControlCount + 1> widgets_{};
  bool japaneseFontsPresent_;
  // The last key to go up, and when: X repeats a held key as a release and a press at
  // one moment, which Qt does not always see as a repeat.  (Input without a moment, 0,
  // is never taken for a repeat.)
  int releasedKey_ = 0;
  quint64 releasedAt_ = 0;
  double dpiX_ = 96;
  double dpiY_ = 96;
};

QColor toQColor(Colour c);
// A caption as a label draws it: CR LF is a line break.
QString displayText(const std::string& caption);

}  // namespace sorato::qt
