#include "ControlWidgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCloseEvent>
#include <QFontInfo>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "WindowBinding.h"

namespace sorato::qt {

namespace {

std::int16_t buttonMask(Qt::MouseButton b) {
  switch (b) {
    case Qt::LeftButton: return mouse::Left;
    case Qt::RightButton: return mouse::Right;
    case Qt::MiddleButton: return mouse::Middle;
    default: return 0;
  }
}

std::int16_t shiftMask(Qt::KeyboardModifiers m) {
  std::int16_t mask = 0;
  if (m & Qt::ShiftModifier) mask |= mouse::Shift;
  if (m & Qt::ControlModifier) mask |= mouse::Ctrl;
  if (m & Qt::AltModifier) mask |= mouse::Alt;
  return mask;
}

}  // namespace

FormWidget::FormWidget(WindowBinding& binding, Control& control)
    : binding_(binding), control_(control) {
  setObjectName(QString::fromUtf8(control.name().data(), qsizetype(control.name().size())));
}

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
    : QFrame(parent), binding_(binding), control_(control) {}

void LabelWidget::setText(const QString& text) {
  if (text == text_) return;
  text_ = text;
  dirty_ = true;
  update();
  QAccessibleEvent changed(this, QAccessible::NameChanged);
  QAccessible::updateAccessibility(&changed);
}

void LabelWidget::setAlignment(Qt::Alignment alignment) {
  alignment_ = alignment & Qt::AlignHorizontal_Mask;
  dirty_ = true;
  update();
}

void LabelWidget::resizeEvent(QResizeEvent* e) {
  QFrame::resizeEvent(e);
  dirty_ = true;
}

void LabelWidget::changeEvent(QEvent* e) {
  QFrame::changeEvent(e);
  if (e->type() == QEvent::FontChange) dirty_ = true;
}

int LabelWidget::lineCount() {
  layOut();
  return lines_;
}

// One layout for each paragraph (a line of the caption), broken into lines at the width
// of the label; line n stands at n em from the top.
void LabelWidget::layOut() {
  if (!dirty_) return;
  dirty_ = false;
  paragraphs_.clear();
  lines_ = 0;
  const QRect area = contentsRect();
  const qreal em = QFontInfo(font()).pixelSize();
  const qreal baseline = 0.88 * em;
  QTextOption option(alignment_);
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  for (const QString& paragraph : text_.split(QLatin1Char('\n'))) {
    auto layout = std::make_unique<QTextLayout>(paragraph, font());
    layout->setTextOption(option);
    layout->beginLayout();
    for (QTextLine line = layout->createLine(); line.isValid(); line = layout->createLine()) {
      line.setLineWidth(area.width());
      line.setPosition(QPointF(0, lines_ * em + baseline - line.ascent()));
      ++lines_;
    }
    layout->endLayout();
    if (paragraph.isEmpty() && layout->lineCount() == 0) ++lines_;
    paragraphs_.push_back(std::move(layout));
  }
}

void LabelWidget::paintEvent(QPaintEvent* e) {
  QFrame::paintEvent(e);
  layOut();
  QPainter p(this);
  const QRect area = contentsRect();
  p.setClipRect(area);
  p.setPen(palette().color(QPalette::WindowText));
  for (const auto& layout : paragraphs_) layout->draw(&p, area.topLeft());
}

void LabelWidget::mousePressEvent(QMouseEvent* e) {
  const QPointF at = e->position();
  MouseArgs args{buttonMask(e->button()), shiftMask(e->modifiers()), binding_.toTwipsX(at.x()),
                 binding_.toTwipsY(at.y())};
  binding_.model().mouseDown(control_, args);
  e->accept();
}

ButtonWidget::ButtonWidget(WindowBinding& binding, Control& control, QWidget* parent)
    : QPushButton(parent) {
  connect(this, &QPushButton::clicked, this, [&binding, &control] { binding.clicked(control); });
}

// Return and Enter press a focused button, as Space does.
void ButtonWidget::keyPressEvent(QKeyEvent* e) {
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && !e->isAutoRepeat()) {
    animateClick();
    return;
  }
  QPushButton::keyPressEvent(e);
}

OptionWidget::OptionWidget(WindowBinding& binding, Control& control, QWidget* parent)
    : QRadioButton(parent), binding_(binding), control_(control) {
  setAutoExclusive(false);
  connect(this, &QRadioButton::clicked, this, [this] { binding_.clicked(control_); });
}

// The arrow keys move the selection to the other button of the group, and the focus with it.
void OptionWidget::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
      for (Control* other : binding_.model().childrenOf(*control_.container())) {
        if (other != &control_ && other->kind() == Kind::OptionButton) {
          binding_.clicked(*other);
          break;
        }
      }
      return;
    default: QRadioButton::keyPressEvent(e);
  }
}

namespace {

class LabelAccessible : public QAccessibleWidget {
 public:
  explicit LabelAccessible(LabelWidget* label)
      : QAccessibleWidget(label, QAccessible::StaticText) {}
  QString text(QAccessible::Text t) const override {
    if (t == QAccessible::Name) return static_cast<LabelWidget*>(widget())->text();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* labelAccessible(const QString& className, QObject* object) {
  if (className == QLatin1String(LabelWidget::staticMetaObject.className()) &&
      object->isWidgetType()) {
    return new LabelAccessible(static_cast<LabelWidget*>(object));
  }
  return nullptr;
}

}  // namespace

void installLabelAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(labelAccessible);
    return true;
  }();
  (void)installed;
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
  pen.setStyle(control_.BorderStyle == 2 ? Qt::DashLine : Qt::SolidLine);
  p.setPen(pen);
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace sorato::qt
