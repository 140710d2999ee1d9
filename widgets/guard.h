#pragma once

#include <QWidget>

#include <exception>
#include <utility>

#include "apperror.h"
#include "dialogs.h"

// Every event handler runs through this guard: a failure shows the error report once and the
// window goes on working. Nothing throws through Qt's event loop.
template <typename F>
bool guarded(QWidget *parent, F &&handler)
{
    try {
        std::forward<F>(handler)();
        return true;
    } catch (const AppError &e) {
        Dialogs::instance().error(parent, e.message());
    } catch (const std::exception &e) {
        Dialogs::instance().error(parent, QString::fromLocal8Bit(e.what()));
    }
    return false;
}
