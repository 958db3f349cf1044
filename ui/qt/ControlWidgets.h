#pragma once

#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTextLayout>
#include <memory>
#include <vector>

#include "ui/ControlModel.h"

namespace sorato::qt {

class WindowBinding;

// The widgets that stand for the controls.  They only draw what the binding puts into
// them and hand the user's input to the model, which decides what it raises.

class FormWidget : public QWidget {
  Q_OBJECT
 public:
  explicit FormWidget(WindowBinding& binding) : binding_(binding) {}
  WindowBinding& binding() const { return binding_; }
  // The window's outer size, frame included; corrected once the frame is known.
  void setOuterSize(QSize outer);

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool event(QEvent* e) override;

 private:
  WindowBinding& binding_;
  QSize outer_;
  bool frameKnown_ = false;
};

// A label as the game's labels behave, broken into lines by Qt's text layout (Japanese
// between characters, a number or a Latin word never split); the text starts at the
// top and is cut off at the edges.  Painted here for one reason: lines stand one em
// apart (lineStep), where IPA Gothic's own line gap would push the tenth word of a
// result list below the label's edge.
class LabelWidget : public QLabel {
  Q_OBJECT
 public:
  LabelWidget(WindowBinding& binding, Control& control, QWidget* parent);

  void setText(const QString& text);
  void setAlignment(Qt::Alignment alignment);
  // How many lines the caption takes at the label's width.
  int lineCount();

 protected:
  void mousePressEvent(QMouseEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void changeEvent(QEvent* e) override;

 private:
  void layOut();

  WindowBinding& binding_;
  Control& control_;
  std::vector<std::unique_ptr<QTextLayout>> paragraphs_;
  bool dirty_ = true;
  int lines_ = 0;
};

class ButtonWidget : public QPushButton {
  Q_OBJECT
 public:
  ButtonWidget(WindowBinding& binding, Control& control, QWidget* parent);

 protected:
  bool event(QEvent* e) override;

 private:
  WindowBinding& binding_;
  Control& control_;
};

// An option button of a group; Qt's own radio buttons, so that screen readers know them
// as radio buttons.
class OptionWidget : public QRadioButton {
  Q_OBJECT
 public:
  OptionWidget(WindowBinding& binding, Control& control, QWidget* parent);

 protected:
  // The selection is the model's: a click only asks the model, which writes Value.
  void nextCheckState() override {}
  bool event(QEvent* e) override;

 private:
  WindowBinding& binding_;
  Control& control_;
};

// A frame; like the window, it lists its children to screen readers in reading order.
class FrameWidget : public QFrame {
  Q_OBJECT
 public:
  FrameWidget(QWidget* parent);
};

class ShapeWidget : public QWidget {
  Q_OBJECT
 public:
  ShapeWidget(Control& control, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  Control& control_;
};

}  // namespace sorato::qt
