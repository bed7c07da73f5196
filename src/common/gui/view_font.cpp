#include "common/gui/view_font.h"

#include <QFontDatabase>
#include <QStringList>

namespace tvx::gui {

namespace {
QString FindViewFontFamily() {
    const QStringList families = QFontDatabase::families();
    for (const char* preferred : {"IPAGothic", "IPAゴシック", "Noto Sans Mono CJK JP"}) {
        if (families.contains(QString::fromUtf8(preferred))) return QString::fromUtf8(preferred);
    }
    for (const QString& family : QFontDatabase::families(QFontDatabase::Japanese)) {
        if (QFontDatabase::isFixedPitch(family)) return family;
    }
    const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
    if (!japanese.isEmpty()) return japanese.front();
    return QFontDatabase::systemFont(QFontDatabase::FixedFont).family();
}
}  // namespace

QString ViewFontFamily() {
    static const QString family = FindViewFontFamily();
    return family;
}

}  // namespace tvx::gui
