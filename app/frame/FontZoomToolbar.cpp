#include "platform/QtApplication.h"

#include "app/frame/FontZoomToolbar.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFontDatabase>
#include <QIcon>

#include "core/ClampToInt.h"
#include "platform/QtText.h"

namespace {

const QStringList kFontSizes = {"6", "8", "10", "12"};
const QStringList kZooms = {"50%",  "60%",  "70%",  "80%",  "90%", "100%",
                            "110%", "120%", "130%", "140%", "150%"};
constexpr int kDefaultSizeIndex = 2;
constexpr int kDefaultZoomIndex = 5;
const QString kDefaultFont = QStringLiteral("Times New Roman");

// The leading decimal digits of a box entry ("150%" gives 150); 0 without digits.
int LeadingInteger(const QString& text) {
    int value = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9' || value > 100000000)
            break;
        value = value * 10 + (c.unicode() - u'0');
    }
    return value;
}

QComboBox* MakeBox(QWidget* parent, int id, int width, const QString& tip) {
    auto* box = new QComboBox(parent);
    box->setObjectName(QString::number(id));
    box->setFixedWidth(width);
    box->setToolTip(tip);
    box->setStatusTip(tip);
    return box;
}

// Selects the entry at `found`; when the box lacks `text` (`found` < 0), adds it before the first
// entry `sortsBefore` is false for. The entry added for the previous file goes first, so that
// files naming what the box lacks do not pile entries up.
void SelectOrAdd(QComboBox& box, QString& added, const QString& text, int found,
                 const std::function<bool(const QString&)>& sortsBefore) {
    if (found < 0) {
        const int previous =
            added.isEmpty() ? -1
                            : box.findText(added, Qt::MatchFixedString | Qt::MatchCaseSensitive);
        if (previous >= 0)
            box.removeItem(previous);
        added = text;
        found = 0;
        while (found < box.count() && sortsBefore(box.itemText(found)))
            ++found;
        box.insertItem(found, text);
    }
    box.setCurrentIndex(found);
}

} // namespace

FontZoomToolbar::FontZoomToolbar(QWidget* parent)
    : QToolBar(QStringLiteral("Font Toolbar"), parent) {
    setObjectName(QString::number(kFontToolbarId));
    setAllowedAreas(Qt::AllToolBarAreas);

    fontBox_ = MakeBox(this, kFontBoxId, 150, QStringLiteral("Font"));
    fontBox_->addItems(FaceNames(QFontDatabase::families()));
    ShowFontName(ToText(kDefaultFont));
    // The default face stays in the box even where it is not installed.
    addedFontName_.clear();
    connect(fontBox_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            emit FontNameChosen(fontBox_->itemText(index));
    });

    sizeBox_ = MakeBox(this, kSizeBoxId, 50, QStringLiteral("Font Size"));
    sizeBox_->addItems(kFontSizes);
    sizeBox_->setCurrentIndex(kDefaultSizeIndex);
    connect(sizeBox_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            emit FontSizeChosen(FontSizeTenths(sizeBox_->itemText(index)));
    });

    zoomBox_ = MakeBox(this, kZoomBoxId, 65, QStringLiteral("Zoom"));
    zoomBox_->addItems(kZooms);
    zoomBox_->setMaxVisibleItems(static_cast<int>(kZooms.size()));
    zoomBox_->setCurrentIndex(kDefaultZoomIndex);
    connect(zoomBox_, &QComboBox::activated, this, [this](int index) {
        if (index >= 0)
            ChooseZoomEntry();
    });

    for (QComboBox* box : {fontBox_, sizeBox_, zoomBox_}) {
        addWidget(box);
        connect(box, &QComboBox::activated, this, &FontZoomToolbar::BoxUseEnded);
        // The box's list is a window of its own; the mouse leaves the box into it and comes
        // back elsewhere, so the box's tip would stay when the list closes.
        box->view()->window()->installEventFilter(this);
    }
    addSeparator();
    // The button's command has no handler in the viewer, so it is always disabled.
    QAction* extra = addAction(QIcon(QStringLiteral(":/icons/font-extra.png")), QString());
    extra->setObjectName(QString::number(kFontExtraId));
    extra->setEnabled(false);
}

bool FontZoomToolbar::eventFilter(QObject* watched, QEvent* event) {
    // A box's list closed, chosen from or not.
    if (event->type() == QEvent::Hide)
        for (const QComboBox* box : {fontBox_, sizeBox_, zoomBox_})
            if (box && watched == box->view()->window())
                emit BoxUseEnded();
    return QToolBar::eventFilter(watched, event);
}

QStringList FontZoomToolbar::FaceNames(QStringList families) {
    // Qt names a family that several foundries make "Family [foundry]", once per foundry.
    for (QString& family : families) {
        const qsizetype foundry = family.lastIndexOf(QStringLiteral(" ["));
        if (foundry > 0 && family.endsWith(u']'))
            family.truncate(foundry);
    }
    std::sort(families.begin(), families.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    // Walking from the last entry to the first, an entry equal to the one before it goes.
    for (qsizetype i = families.size() - 1; i > 0; --i)
        if (families[i] == families[i - 1])
            families.removeAt(i);
    return families;
}

void FontZoomToolbar::ShowFontName(const Text& name) {
    if (name.empty())
        return;
    const QString face = ToQString(name);
    // Kept in the box's order, so the box stays sorted.
    SelectOrAdd(*fontBox_, addedFontName_, face, fontBox_->findText(face, Qt::MatchStartsWith),
                [&face](const QString& entry) {
                    return QString::compare(entry, face, Qt::CaseInsensitive) < 0;
                });
}

QString FontZoomToolbar::FontSizeText(int tenths) {
    const QString points = QString::number(std::abs(tenths / 10));
    const QString sign = tenths < 0 ? QStringLiteral("-") : QString();
    if (tenths % 10 == 0)
        return sign + points;
    return sign + points + u'.' + QString::number(std::abs(tenths % 10));
}

int FontZoomToolbar::FontSizeTenths(const QString& text) {
    bool ok = false;
    const double points = text.toDouble(&ok);
    if (!ok || !std::isfinite(points))
        return 0;
    return ClampToInt(std::llround(std::clamp(points * 10, -1e15, 1e15)));
}

void FontZoomToolbar::ShowFontSize(int tenths) {
    const QString size = FontSizeText(tenths);
    // The whole text: a prefix would show 1 pt as "10" and 9 pt as nothing. Kept in the box's
    // order, smallest first.
    SelectOrAdd(*sizeBox_, addedFontSize_, size,
                sizeBox_->findText(size, Qt::MatchFixedString | Qt::MatchCaseSensitive),
                [tenths](const QString& entry) { return FontSizeTenths(entry) < tenths; });
}

void FontZoomToolbar::ShowZoom(int percent) {
    const int index = zoomBox_->findText(QString::number(percent), Qt::MatchStartsWith);
    if (index >= 0)
        zoomBox_->setCurrentIndex(index);
}

void FontZoomToolbar::ZoomOut() {
    zoomBox_->setCurrentIndex(std::max(zoomBox_->currentIndex() - 1, 0));
    ChooseZoomEntry();
}

void FontZoomToolbar::ZoomIn() {
    zoomBox_->setCurrentIndex(std::min(zoomBox_->currentIndex() + 1, zoomBox_->count() - 1));
    ChooseZoomEntry();
}

void FontZoomToolbar::ChooseZoomEntry() {
    if (zoomBox_->currentIndex() >= 0)
        emit ZoomChosen(LeadingInteger(zoomBox_->currentText()));
}
