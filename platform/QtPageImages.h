#pragma once

#include <functional>
#include <vector>

#include <QImage>

#include "platform/DeviceContext.h"

class QWidget;

// Page images for a print preview: pages are drawn through a device context into images of the
// sheet, and shown side by side on a grey desk.
namespace QtPageImages {

// Lends `use` a context with the page's caps that measures text as the page will but draws
// nowhere (for a job's setting up).
void Measure(const DeviceCaps& caps, const std::function<void(DeviceContext&)>& use);

// The sheet of `caps` as an image at `imageDpi` (each side at most `maxSide`), with logical
// units starting at the printable area as on the printer. Null when `draw` answers false.
QImage Render(const DeviceCaps& caps, int imageDpi, int maxSide,
              const std::function<bool(DeviceContext&)>& draw);

// Paints the pages (null ones skipped) at `scale` on the widget, centred, `gap` pixels apart,
// each with a shadow and a thin border. Call from the widget's paint event.
void PaintDesk(QWidget& widget, const std::vector<QImage>& pages, double scale, int gap);

} // namespace QtPageImages
