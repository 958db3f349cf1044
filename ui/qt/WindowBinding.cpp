#include "WindowBinding.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QFontInfo>
#include <QScreen>
#include <cmath>

#include "Application.h"
#include "ControlWidgets.h"
#include "Icon.h"
#include "ui/Fonts.h"
#include "ui/Layout.h"

namespace sorato::qt {

QColor toQColor(Colour c) {
  const Colour plain = resolveSystemColour(c);
  return QColor(plain.red(), plain.green(), plain.blue());
}

QString displayText(const std::string& caption) {
  return QString::fromStdString(sorato::displayText(caption));
}

namespace {

QString qName(const Control& c) {
  return QString::fromUtf8(c.name().data(), static_cast<qsizetype>(c.name().size()));
}

Qt::Alignment labelAlignment(const Control& label) {
  switch (textAlign(label)) {
    case TextAlign::Right: return Qt::AlignRight | Qt::AlignTop;
    case TextAlign::Centre: return Qt::AlignHCenter | Qt::AlignTop;
    case TextAlign::Left: break;
  }
  return Qt::AlignLeft | Qt::AlignTop;
}

// Qt lists a widget's children to screen readers in stacking order, which puts the
// buttons above the labels; the window and its frames list them in reading order.
class ContainerAccessible : public QAccessibleWidget {
 public:
  ContainerAccessible(QWidget* w, QAccessible::Role role) : QAccessibleWidget(w, role) {}

  int childCount() const override { return static_cast<int>(children().size()); }
  QAccessibleInterface* child(int i) const override {
    const std::vector<QWidget*> all = children();
    if (i < 0 || i >= static_cast<int>(all.size())) return nullptr;
    return QAccessible::queryAccessibleInterface(all[static_cast<std::size_t>(i)]);
  }
  int indexOfChild(const QAccessibleInterface* child) const override {
    const std::vector<QWidget*> all = children();
    const auto at = std::find(all.begin(), all.end(), child != nullptr ? child->object() : nullptr);
    return at == all.end() ? -1 : static_cast<int>(at - all.begin());
  }

 private:
  std::vector<QWidget*> children() const {
    auto* form = qobject_cast<FormWidget*>(widget()->window());
    return form != nullptr ? form->binding().readingChildren(widget()) : std::vector<QWidget*>{};
  }
};

QAccessibleInterface* containerAccessible(const QString& className, QObject* object) {
  auto* w = qobject_cast<QWidget*>(object);
  if (w == nullptr) return nullptr;
  if (className == QLatin1String(FormWidget::staticMetaObject.className())) {
    return new ContainerAccessible(w, QAccessible::Window);
  }
  if (className == QLatin1String(FrameWidget::staticMetaObject.className())) {
    return new ContainerAccessible(w, QAccessible::Grouping);
  }
  return nullptr;
}

}  // namespace

WindowBinding::WindowBinding(ControlModel& model)
    : Mirror(model), japaneseFontsPresent_(japaneseFontsPresent()) {
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    dpiX_ = screen->logicalDotsPerInchX();
    dpiY_ = screen->logicalDotsPerInchY();
  }
  static const bool factoryInstalled = (QAccessible::installFactory(containerAccessible), true);
  (void)factoryInstalled;
  for (Control* c : model_.all()) create(*c);
  for (Control* c : model_.all()) applyAll(*c);
  for (Control* c : model_.all()) {
    if (c->kind() == Kind::Form || c->kind() == Kind::Frame) stack(*c);
  }
  const auto order = model_.tabOrder();
  for (std::size_t i = 0; i + 1 < order.size(); ++i) {
    QWidget::setTabOrder(widgetOf(*order[i]), widgetOf(*order[i + 1]));
  }
  refreshInput();
  model_.addObserver(this);
}

WindowBinding::~WindowBinding() {
  model_.removeObserver(this);
}

FormWidget* WindowBinding::window() const {
  return window_.get();
}

QWidget* WindowBinding::widgetOf(const Control& c) const {
  return widgets_[static_cast<std::size_t>(c.index())].data();
}

Control* WindowBinding::controlOf(const QWidget* w) const {
  for (Control* c : model_.all()) {
    if (w != nullptr && widgetOf(*c) == w) return c;
  }
  return nullptr;
}

std::vector<QWidget*> WindowBinding::readingChildren(const QWidget* container) const {
  std::vector<QWidget*> out;
  if (const Control* c = controlOf(container)) {
    for (const Control* child : model_.readingChildrenOf(*c)) {
      if (QWidget* w = widgetOf(*child); w != nullptr && !w->isHidden()) out.push_back(w);
    }
  }
  return out;
}

void WindowBinding::create(Control& c) {
  QWidget* parent = c.container() != nullptr ? widgetOf(*c.container()) : nullptr;
  QWidget* w = nullptr;
  switch (c.kind()) {
    case Kind::Form:
      window_ = std::make_unique<FormWidget>(*this);
      window_->setAutoFillBackground(true);
      window_->setWindowIcon(gameIcon());
      w = window_.get();
      break;
    case Kind::Label: w = new LabelWidget(*this, c, parent); break;
    case Kind::CommandButton: w = new ButtonWidget(*this, c, parent); break;
    case Kind::OptionButton: w = new OptionWidget(*this, c, parent); break;
    case Kind::Frame: w = new FrameWidget(parent); break;
    case Kind::Shape: w = new ShapeWidget(c, parent); break;
    case Kind::Timer: return;  // never drawn
  }
  w->setObjectName(qName(c));
  widgets_[static_cast<std::size_t>(c.index())] = w;
}

// Geometry and font come first: a widget shown before it has a size is sized from its
// contents, which would measure every caption (and load every font) for nothing.
void WindowBinding::applyAll(Control& c) {
  if (c.has(Prop::Left) || c.kind() == Kind::Form) place(c);
  if (c.has(Prop::FontName)) applyFont(c);
  for (int i = 0; i < kPropCount; ++i) {
    const auto p = static_cast<Prop>(i);
    const bool done = aspectOf(p) == Aspect::Place || aspectOf(p) == Aspect::Font;
    if (c.has(p) && !done) apply(c, p);
  }
}

Control* WindowBinding::focusedControl() const {
  return window_ != nullptr ? controlOf(window_->focusWidget()) : nullptr;
}

void WindowBinding::focus(Control& c, FocusCause why) {
  // (after a key, Qt shows where the focus is)
  constexpr Qt::FocusReason kReason[] = {Qt::OtherFocusReason, Qt::MouseFocusReason,
                                         Qt::TabFocusReason};
  if (QWidget* w = widgetOf(c)) w->setFocus(kReason[static_cast<int>(why)]);
}

void WindowBinding::apply(Control& c, Prop p) {
  QWidget* w = widgetOf(c);
  if (w == nullptr) return;
  switch (aspectOf(p)) {
    case Aspect::Text:
      if (c.kind() == Kind::Form) {
        w->setWindowTitle(QString::fromStdString(c.Caption));
      } else if (auto* label = qobject_cast<LabelWidget*>(w)) {
        // Qt 6.4 has no live regions: a label tells screen readers of every new text
        // itself, the ones the model announces (announcesChanges) among them.
        label->setText(displayText(c.Caption));
      } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        button->setText(QString::fromStdString(c.Caption));
      }
      break;
    case Aspect::ToolTip: {
      w->setToolTip(QString::fromStdString(c.ToolTipText));
      QAccessibleEvent changed(w, QAccessible::DescriptionChanged);
      QAccessible::updateAccessibility(&changed);
      break;
    }
    case Aspect::Visible:
      if (c.kind() != Kind::Form) w->setVisible(c.Visible);
      break;
    case Aspect::Enabled:
      if (c.kind() != Kind::Frame) w->setEnabled(c.Enabled);
      refreshInput();
      break;
    case Aspect::Value:
      if (auto* option = qobject_cast<QAbstractButton*>(w)) option->setChecked(c.Value);
      refreshInput();
      break;
    case Aspect::Look:
      applyLook(c);
      if (p == Prop::BorderStyle && c.kind() == Kind::Frame) {
        for (Control* child : model_.childrenOf(c)) place(*child);
      }
      break;
    case Aspect::Alignment:
      if (auto* label = qobject_cast<LabelWidget*>(w)) {
        label->setAlignment(labelAlignment(c));
      }
      break;
    case Aspect::Place: place(c); break;
    case Aspect::Font: applyFont(c); break;
    case Aspect::None: break;
  }
}

int WindowBinding::toPixelsX(double twips) const {
  return twipsToPixels(twips, dpiX_);
}
int WindowBinding::toPixelsY(double twips) const {
  return twipsToPixels(twips, dpiY_);
}
float WindowBinding::toTwipsX(double px) const {
  return pixelsToTwips(px, dpiX_);
}
float WindowBinding::toTwipsY(double px) const {
  return pixelsToTwips(px, dpiY_);
}

// Left and Top count from the inside of the container: within a frame's border.
QRect WindowBinding::pixelRect(const Control& c) const {
  const PixelRect r = pixelRectInParent(c, dpiX_, dpiY_);
  return QRect(r.left, r.top, r.width, r.height);
}

void WindowBinding::place(Control& c) {
  QWidget* w = widgetOf(c);
  if (w == nullptr) return;
  if (c.kind() == Kind::Form) {
    window_->setOuterSize(QSize(toPixelsX(c.Width), toPixelsY(c.Height)));
    return;
  }
  w->setGeometry(pixelRect(c));
}

void WindowBinding::applyLook(Control& c) {
  QWidget* w = widgetOf(c);
  if (w == nullptr) return;
  QPalette pal = w->palette();
  switch (c.kind()) {
    case Kind::Form:
    case Kind::Frame:
      pal.setColor(QPalette::Window, toQColor(c.BackColor));
      if (auto* frame = qobject_cast<QFrame*>(w)) {
        frame->setFrameStyle(borderWidth(c) == 1 ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
      }
      break;
    case Kind::Label: {
      auto* label = static_cast<LabelWidget*>(w);
      pal.setColor(QPalette::WindowText, toQColor(c.ForeColor));
      pal.setColor(QPalette::Window, toQColor(c.BackColor));
      label->setAutoFillBackground(c.BackStyle == 1);
      label->setFrameStyle(borderWidth(c) == 1 ? (QFrame::Box | QFrame::Plain) : QFrame::NoFrame);
      break;
    }
    case Kind::CommandButton:
      // The fill stays the button's own colour when it is disabled; only the caption greys.
      for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        pal.setColor(group, QPalette::Button, toQColor(c.BackColor));
      }
      pal.setColor(QPalette::Active, QPalette::ButtonText, toQColor(c.ForeColor));
      pal.setColor(QPalette::Inactive, QPalette::ButtonText, toQColor(c.ForeColor));
      break;
    case Kind::OptionButton:
      // A button fills its rectangle with the Button role, and draws its caption in WindowText.
      w->setAutoFillBackground(true);
      pal.setColor(QPalette::Button, toQColor(c.BackColor));
      pal.setColor(QPalette::WindowText, toQColor(c.ForeColor));
      break;
    case Kind::Shape: w->update(); return;
    case Kind::Timer: return;
  }
  w->setPalette(pal);
}

void WindowBinding::applyFont(Control& c) {
  QWidget* w = widgetOf(c);
  if (w == nullptr) return;
  QFont font(QString::fromStdString(c.FontName));
  font.setPointSizeF(c.FontSize);
  font.setBold(c.FontBold);
  // A face that stands in, narrowed to fit the captions.
  if (fonts::narrowed(QFontInfo(font).family().toStdString())) {
    font.setStretch(static_cast<int>(std::lround(fonts::kStandInWidth * 100)));
  }
  // Where IPA Gothic is installed it has every glyph the game writes: looking for
  // fallback faces would only cost start-up time.
  if (japaneseFontsPresent_) font.setStyleStrategy(QFont::NoFontMerging);
  w->setFont(font);
}

void WindowBinding::stack(Control& container) {
  for (Control* c : model_.stackingOrderOf(container)) {
    if (QWidget* w = widgetOf(*c)) w->raise();
  }
}

// A disabled frame is never disabled as a widget, or its children would turn grey: it
// lets the mouse through to nothing and its children leave the tab chain instead.
void WindowBinding::refreshInput() {
  for (Control* c : model_.all()) {
    QWidget* w = widgetOf(*c);
    if (w == nullptr) continue;
    if (c->kind() == Kind::Frame) {
      w->setAttribute(Qt::WA_TransparentForMouseEvents, !c->Enabled);
    } else if (ControlModel::focusable(*c)) {
      w->setFocusPolicy(model_.inTabChain(*c) ? Qt::StrongFocus : Qt::NoFocus);
    }
  }
}

namespace {

Key keyOf(const QKeyEvent& e) {
  switch (e.key()) {
    case Qt::Key_Tab: return e.modifiers().testFlag(Qt::ShiftModifier) ? Key::BackTab : Key::Tab;
    case Qt::Key_Backtab: return Key::BackTab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return Key::Return;
    case Qt::Key_Space: return Key::Space;
    case Qt::Key_Left: return Key::Left;
    case Qt::Key_Up: return Key::Up;
    case Qt::Key_Right: return Key::Right;
    case Qt::Key_Down: return Key::Down;
    default: return Key::Other;
  }
}

}  // namespace

bool WindowBinding::keyPressed(Control& c, const QKeyEvent& e) {
  const bool repeat = e.isAutoRepeat() || (e.key() == releasedKey_ && e.timestamp() != 0 &&
                                           e.timestamp() == releasedAt_);
  return Mirror::keyPressed(&c, keyOf(e), repeat);
}

void WindowBinding::keyReleased(const QKeyEvent& e) {
  releasedKey_ = e.key();
  releasedAt_ = e.timestamp();
}

void WindowBinding::show() {
  window_->show();
  if (Control* first = model_.initialFocus()) focus(*first, FocusCause::Game);
}

void WindowBinding::unloaded() {
  if (window_ != nullptr) window_->hide();
}

}  // namespace sorato::qt
