#include "platform/toolbar_icons.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>

#include "editor/shell/command_ids.h"

namespace platform {

using namespace ::editor::shell;

namespace {

QIcon GlyphIcon(const QString& glyph) {
    QPixmap pixmap(24, 24);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(40, 40, 40), 1.5));
    painter.setBrush(QColor(235, 235, 225));
    painter.drawRoundedRect(QRectF(2.5, 2.5, 19, 19), 3, 3);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(glyph.size() > 1 ? 10 : 14);
    painter.setFont(font);
    painter.drawText(QRect(2, 2, 20, 20), Qt::AlignCenter, glyph);
    return QIcon(pixmap);
}

struct IconSource {
    int id;
    const char* theme;
    QStyle::StandardPixmap standard;
    const char* glyph;
};

constexpr QStyle::StandardPixmap kNoStandard = QStyle::SP_CustomBase;

const IconSource kSources[] = {
    {ID_FILE_NEW, "document-new", QStyle::SP_FileIcon, "N"},
    {ID_FILE_OPEN, "document-open", QStyle::SP_DialogOpenButton, "O"},
    {ID_FILE_SAVE, "document-save", QStyle::SP_DialogSaveButton, "S"},
    {ID_EDIT_CUT, "edit-cut", kNoStandard, "X"},
    {ID_EDIT_COPY, "edit-copy", kNoStandard, "C"},
    {ID_EDIT_PASTE, "edit-paste", kNoStandard, "V"},
    {ID_FILE_PRINT, "document-print", kNoStandard, "P"},
    {ID_APP_ABOUT, "help-about", kNoStandard, "?"},
};

}  // namespace

QIcon ToolbarIcon(int commandId, const QStyle& style) {
    for (const IconSource& source : kSources) {
        if (source.id != commandId) {
            continue;
        }
        QIcon icon = QIcon::fromTheme(QString::fromLatin1(source.theme));
        if (icon.isNull() && source.standard != kNoStandard) {
            icon = style.standardIcon(source.standard);
        }
        return icon.isNull() ? GlyphIcon(QString::fromLatin1(source.glyph)) : icon;
    }
    return GlyphIcon(QStringLiteral("?"));
}

}  // namespace platform
