#pragma once

#include <functional>

#include <QApplication>
#include <QTimer>
#include <QWidget>

// Hands the next modal window to `act` once it is up (the caller then opens it).
inline void WhenModal(std::function<void(QWidget*)> act, int tries = 50) {
    QTimer::singleShot(10, [act, tries] {
        if (QWidget* modal = QApplication::activeModalWidget())
            act(modal);
        else if (tries > 0)
            WhenModal(act, tries - 1);
    });
}
