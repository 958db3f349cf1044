#include "Application.h"

#include <fontconfig/fontconfig.h>
#include <unistd.h>

#include <QFont>
#include <QFontDatabase>
#include <QStyleFactory>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include "Icon.h"
#include "ui/Fonts.h"

namespace sorato::qt {

namespace {

QtMessageHandler previousHandler = nullptr;
std::string* startupMessages = nullptr;

// While the platform opens, Qt's own messages are held back: if it fails they are
// replaced by one line of ours, and otherwise they are passed on.
void holdStartupMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
  if (type == QtFatalMsg) {
    const char* display = std::getenv("DISPLAY");
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    std::fprintf(stderr,
                 "sorato: cannot open a display (platform %s, DISPLAY=%s); start it on a desktop\n",
                 platform != nullptr ? platform : "xcb", display != nullptr ? display : "unset");
    std::fflush(stderr);
    _exit(1);
  }
  if (startupMessages != nullptr) {
    *startupMessages += qFormatLogMessage(type, context, text).toStdString();
    *startupMessages += '\n';
  } else if (previousHandler != nullptr) {
    previousHandler(type, context, text);
  }
}

QString qString(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

int fakeArgc = 1;
char* fakeArgv[2] = {nullptr, nullptr};

}  // namespace

std::unique_ptr<QApplication> openApplication(const char* programName) {
  static std::string name;
  name = programName != nullptr ? programName : "sorato";
  fakeArgv[0] = name.data();
  std::string held;
  startupMessages = &held;
  previousHandler = qInstallMessageHandler(holdStartupMessages);
  // fontconfig reads its configuration once, the first time any text is measured: a
  // few milliseconds that a second core spends while the platform opens.
  std::thread fonts([] { FcInit(); });
  auto app = std::make_unique<QApplication>(fakeArgc, fakeArgv);
  fonts.join();
  qInstallMessageHandler(previousHandler);
  startupMessages = nullptr;
  if (!held.empty()) std::fputs(held.c_str(), stderr);
  return app;
}

void prepareApplication(QApplication& app) {
  app.setApplicationName(QStringLiteral("sorato"));
  app.setApplicationDisplayName(QStringLiteral("ソラト"));
  app.setDesktopFileName(QStringLiteral("org.sorato.sorato"));
  app.setWindowIcon(gameIcon());
  if (QStyle* classic = QStyleFactory::create(QStringLiteral("Windows"))) app.setStyle(classic);
  for (std::string_view face : {fonts::kUiGothic, fonts::kPGothic}) {
    const std::vector<std::string_view> list = fonts::faceList(face);
    QStringList standIns;
    for (auto it = list.begin() + 1; it != list.end(); ++it) standIns << qString(*it);
    QFont::insertSubstitutions(qString(face), standIns);
  }
}

bool japaneseFontsPresent() {
  const QStringList families = QFontDatabase::families();
  return std::any_of(fonts::kIpaGothic.begin(), fonts::kIpaGothic.end(),
                     [&](std::string_view face) { return families.contains(qString(face)); });
}

}  // namespace sorato::qt
