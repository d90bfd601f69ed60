#pragma once

#include <QString>
#include <QStringList>
#include <QToolBar>

#include "core/WideText.h"

class QComboBox;

// The Font Toolbar: the font, size and zoom boxes the statement is drawn with. It shows the
// document's values and tells what the user chose; the frame puts that into the document.
class FontZoomToolbar : public QToolBar {
    Q_OBJECT

public:
    static constexpr int kFontBoxId = 104;
    static constexpr int kSizeBoxId = 105;
    static constexpr int kZoomBoxId = 106;
    static constexpr int kFontToolbarId = 32803;
    static constexpr int kFontExtraId = 32807;

    explicit FontZoomToolbar(QWidget* parent);

    // The font box's entries for the given font families: their face names (without the
    // foundry Qt adds to a family several foundries make), sorted, adjacent duplicates removed.
    static QStringList FaceNames(QStringList families);
    // A size in tenths of a point as the size box writes it: in points, with one decimal when
    // not whole ("9", "10.5"); and back.
    static QString FontSizeText(int tenths);
    static int FontSizeTenths(const QString& text);

    // The boxes select the entry that begins with the given value; a zoom no entry begins with
    // leaves its box as it is. A font name missing from the font box is added to it (drawing
    // falls back to a similar face), and so is a size (tenths of a point) the size box lacks, so
    // the boxes always show the file's font; one such entry each at a time. Nothing is signalled.
    void ShowFontName(const Text& name);
    void ShowFontSize(int tenths);
    void ShowZoom(int percent);

    // The previous or next zoom entry, not past either end, signalled as chosen.
    void ZoomOut();
    void ZoomIn();

    QComboBox* FontBox() const { return fontBox_; }
    QComboBox* SizeBox() const { return sizeBox_; }
    QComboBox* ZoomBox() const { return zoomBox_; }

signals:
    void FontNameChosen(const QString& face);
    void FontSizeChosen(int tenths);
    void ZoomChosen(int percent);
    // A box was chosen from or its list closed: the box's tip no longer applies.
    void BoxUseEnded();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ChooseZoomEntry();

    QComboBox* fontBox_ = nullptr;
    QComboBox* sizeBox_ = nullptr;
    QComboBox* zoomBox_ = nullptr;
    // A face a file named that is not installed, added to the font box to show it.
    QString addedFontName_;
    // A size a file named that the size box lacked, added to it to show it.
    QString addedFontSize_;
};
