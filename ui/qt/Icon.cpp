#include "Icon.h"

#include <QPixmap>

namespace sorato::qt {

namespace {

// The game's icon: a light cyan word card with the katakana ソ and a small spark, drawn
// on 32 x 32 pixels in a handful of colours.
static const char* const kIconXpm[] = {"32 32 5 1",
                                       "# c #0000C0",
                                       ". c None",
                                       "b c #8080FF",
                                       "c c #C0FFFF",
                                       "y c #FFC000",
                                       "................................",
                                       "................................",
                                       "...########################.....",
                                       "..#cccccccccccccccccccccccc#....",
                                       "..#cccccccccccccccccccccccc#b...",
                                       "..#cccccccccccccccccccccccc#bb..",
                                       "..#ccccccccc##ccccccc##cccc#bb..",
                                       "..#cccc##ccc###cccccc##cccc#bb..",
                                       "..#cccc###cc###cccccc##cccc#bb..",
                                       "..#cccc###ccc##ccccc###cccc#bb..",
                                       "..#ccccc###cc###cccc###cccc#bb..",
                                       "..#cccccc###c###cccc###cccc#bb..",
                                       "..#cccccc###cc##cccc##ccccc#bb..",
                                       "..#ccccccc##ccccccc###ccccc#bb..",
                                       "..#cccccccccccccccc##cccccc#bb..",
                                       "..#ccccccccccccccc###cccccc#bb..",
                                       "..#ccccccccccccccc###cccccc#bb..",
                                       "..#cccccccccccccc###ccccccc#bb..",
                                       "..#ccccccccccccc###cccccccc#bb..",
                                       "..#cccccccccccc###ccccccccc#bb..",
                                       "..#cccccccccc#####cccccyccc#bb..",
                                       "..#ccccccccc#####ccccccyccc#bb..",
                                       "..#ccccccc#####ccccccyyyyyc#bb..",
                                       "..#cccccc####ccccccccccyccc#bb..",
                                       "..#ccccccc#ccccccccccccyccc#bb..",
                                       "..#cccccccccccccccccccccccc#bb..",
                                       "..#cccccccccccccccccccccccc#bb..",
                                       "...########################bbb..",
                                       "....bbbbbbbbbbbbbbbbbbbbbbbbbb..",
                                       ".....bbbbbbbbbbbbbbbbbbbbbbbb...",
                                       "................................",
                                       "................................"};

}  // namespace

QIcon gameIcon() {
  return QIcon(QPixmap::fromImage(gameIconImage()));
}

QImage gameIconImage() {
  return QImage(kIconXpm);
}

}  // namespace sorato::qt
