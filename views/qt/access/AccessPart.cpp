#include "views/qt/access/AccessPart.h"

#include <QWidget>
#include <QWindow>

QWindow* AccessPart::window() const {
    return view_ ? view_->window()->windowHandle() : nullptr;
}

const StatementAccess& AccessPart::Access() const {
    static const StatementAccess kNone;
    return view_ ? view_->Access() : kNone;
}

QRect AccessPart::ScreenRect(const Rect& rect) const {
    if (!view_ || rect.IsEmpty())
        return {};
    return QRect(view_->mapToGlobal(QPoint(rect.left, rect.top)),
                 QSize(rect.Width(), rect.Height()));
}

QAccessibleInterface* AccessPart::ViewInterface() const {
    return view_ ? QAccessible::queryAccessibleInterface(view_.data()) : nullptr;
}
