#include "ControlWidgets.h"

#include <QCloseEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "WindowBinding.h"
#include "ui/Layout.h"

namespace sorato::qt {

namespace {

mouse::Button button(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return mouse::Button::Left;
    case Qt::RightButton: return mouse::Button::Right;
    case Qt::MiddleButton: return mouse::Button::Middle;
    default: return mouse::Button::Other;
  }
}

}  // namespace

void FormWidget::setOuterSize(QSize outer) {
  outer_ = outer;
  const QSize frame = frameGeometry().size() - geometry().size();
  resize(outer - frame);
}

void FormWidget::closeEvent(QCloseEvent* e) {
  // Closed from the title bar: unloaded just as by 終了.
  binding_.model().unload();
  e->accept();
}

// The frame a window manager puts around the window is known only after the window is
// shown; the outer size is corrected once, as soon as it is.
bool FormWidget::event(QEvent* e) {
  const bool handled = QWidget::event(e);
  if (!frameKnown_ && outer_.isValid() &&
      (e->type() == QEvent::Move || e->type() == QEvent::Resize || e->type() == QEvent::Show)) {
    const QSize frame = frameGeometry().size() - geometry().size();
    if (!frame.isEmpty()) {
      frameKnown_ = true;
      if (size() != outer_ - frame) resize(outer_ - frame);
    }
  }
  return handled;
}

LabelWidget::LabelWidget(WindowBinding& binding, Control& control, QWidget* parent)
    : QLabel(parent), binding_(binding), control_(control) {
  setTextFormat(Qt::PlainText);
}

void LabelWidget::setText(const QString& text) {
  if (text == this->text()) return;
  QLabel::setText(text);  // also tells screen readers of the new name
  dirty_ = true;
}

void LabelWidget::setAlignment(Qt::Alignment alignment) {
  QLabel::setAlignment(alignment);
  dirty_ = true;
  update();
}

void LabelWidget::resizeEvent(QResizeEvent* e) {
  QLabel::resizeEvent(e);
  dirty_ = true;
}

void LabelWidget::changeEvent(QEvent* e) {
  QLabel::changeEvent(e);
  if (e->type() == QEvent::FontChange) dirty_ = true;
}

int LabelWidget::lineCount() {
  layOut();
  return lines_;
}

// One layout for each paragraph (a line of the caption), broken at word boundaries by
// the Unicode line-breaking rules; line n stands at n em from the top.
void LabelWidget::layOut() {
  if (!dirty_) return;
  dirty_ = false;
  paragraphs_.clear();
  lines_ = 0;
  const qreal em = lineStep(control_, binding_.dpiY());
  const qreal baseline = 0.88 * em;
  QTextOption option(alignment() & Qt::AlignHorizontal_Mask);
  option.setWrapMode(QTextOption::WordWrap);
  for (const QString& paragraph : text().split(QLatin1Char('\n'))) {
    auto layout = std::make_unique<QTextLayout>(paragraph, font());
    layout->setTextOption(option);
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
      line.setLineWidth(contentsRect().width());
      line.setPosition(QPointF(0, lines_ * em + baseline - line.ascent()));
      ++lines_;
    }
    layout->endLayout();
    if (paragraph.isEmpty() && layout->lineCount() == 0) ++lines_;
    paragraphs_.push_back(std::move(layout));
  }
}

void LabelWidget::paintEvent(QPaintEvent* e) {
  QFrame::paintEvent(e);  // the border
  layOut();
  QPainter p(this);
  const QRect area = contentsRect();
  p.setClipRect(area);
  p.setPen(palette().color(QPalette::WindowText));
  for (const auto& layout : paragraphs_) layout->draw(&p, area.topLeft());
}

void LabelWidget::mousePressEvent(QMouseEvent* e) {
  const QPointF at = e->position();
  const Qt::KeyboardModifiers keys = e->modifiers();
  const MouseArgs args{
      mouse::buttonMask(button(e->button())),
      mouse::keyMask(keys.testFlag(Qt::ShiftModifier), keys.testFlag(Qt::ControlModifier),
                     keys.testFlag(Qt::AltModifier)),
      binding_.toTwipsX(at.x()), binding_.toTwipsY(at.y())};
  binding_.model().mouseDown(control_, args);
  e->accept();
}

ButtonWidget::ButtonWidget(WindowBinding& binding, Control& control, QWidget* parent)
    : QPushButton(parent), binding_(binding), control_(control) {
  connect(this, &QPushButton::clicked, this, [&binding, &control] { binding.clicked(control); });
}

// Keys go to the model first (Tab, Return), before Qt's own handling of Tab.
bool ButtonWidget::event(QEvent* e) {
  if (e->type() == QEvent::KeyRelease) binding_.keyReleased(*static_cast<QKeyEvent*>(e));
  if (e->type() == QEvent::KeyPress && binding_.keyPressed(control_, *static_cast<QKeyEvent*>(e)))
    return true;
  return QPushButton::event(e);
}

OptionWidget::OptionWidget(WindowBinding& binding, Control& control, QWidget* parent)
    : QRadioButton(parent), binding_(binding), control_(control) {
  connect(this, &QRadioButton::clicked, this, [&binding, &control] { binding.clicked(control); });
}

bool OptionWidget::event(QEvent* e) {
  if (e->type() == QEvent::KeyRelease) binding_.keyReleased(*static_cast<QKeyEvent*>(e));
  if (e->type() == QEvent::KeyPress && binding_.keyPressed(control_, *static_cast<QKeyEvent*>(e)))
    return true;
  return QRadioButton::event(e);
}

FrameWidget::FrameWidget(QWidget* parent) : QFrame(parent) {
  setAutoFillBackground(true);
}

ShapeWidget::ShapeWidget(Control& control, QWidget* parent) : QWidget(parent), control_(control) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

// An outline only: the shape lies above the word labels, and a fill would hide the words.
void ShapeWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QPen pen(toQColor(control_.BorderColor));
  pen.setStyle(dashedOutline(control_) ? Qt::DashLine : Qt::SolidLine);
  p.setPen(pen);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace sorato::qt
