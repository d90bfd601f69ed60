#include "display/StatementFont.h"

#include "document/CMainDoc.h"
#include "document/Presentation.h"
#include "platform/DeviceContext.h"

namespace Display {

Font SelectStatementFont(DeviceContext& dc, const CMainDoc& doc, std::int32_t zoom) {
    if (doc.fontName.empty())
        return dc.CurrentFont();
    return dc.SelectFont(doc.fontName, ZoomedFontSize(doc.fontSize, zoom));
}

} // namespace Display
