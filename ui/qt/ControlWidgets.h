#pragma once

#include <QFrame>
#include <QPushButton>
#include <QRadioButton>
#include <QTextLayout>
#include <QWidget>
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
  FormWidget(WindowBinding& binding, Control& control);
  // The window's outer size, frame included; corrected once the frame is known.
  void setOuterSize(QSize outer);

 protected:
  void closeEvent(QCloseEvent* e) override;
  bool event(QEvent* e) override;

 private:
  WindowBinding& binding_;
  Control& control_;
  QSize outer_;
  bool frameKnown_ = false;
};

// A label as the game's labels behave: CR LF breaks a line, a long line wraps (Japanese
// between characters), the text starts at the top and is cut off at the bottom.  Lines
// are one em apart, as in the faces the window was laid out for: IPA Gothic's own line
// gap would push the tenth word of a result list below the label's edge.
class LabelWidget : public QFrame {
  Q_OBJECT
 public:
  LabelWidget(WindowBinding& binding, Control& control, QWidget* parent);

  QString text() const { return text_; }
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
  QString text_;
  Qt::Alignment alignment_ = Qt::AlignLeft;
  std::vector<std::unique_ptr<QTextLayout>> paragraphs_;
  bool dirty_ = true;
  int lines_ = 0;
};

class ButtonWidget : public QPushButton {
  Q_OBJECT
 public:
  ButtonWidget(WindowBinding& binding, Control& control, QWidget* parent);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
};

class OptionWidget : public QRadioButton {
  Q_OBJECT
 public:
  OptionWidget(WindowBinding& binding, Control& control, QWidget* parent);

 protected:
  // The selection is the model's: a click only asks the model, which writes Value.
  void nextCheckState() override {}
  void keyPressEvent(QKeyEvent* e) override;

 private:
  WindowBinding& binding_;
  Control& control_;
};

class FrameWidget : public QFrame {
  Q_OBJECT
 public:
  explicit FrameWidget(QWidget* parent);
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

// Lets screen readers see a LabelWidget as static text named by its caption.  Called
// once by the binding; further calls do nothing.
void installLabelAccessibility();

}  // namespace sorato::qt
