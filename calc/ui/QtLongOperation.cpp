#include "calc/ui/QtLongOperation.h"

#include <QApplication>
#include <QEventLoop>
#include <QKeyEvent>
#include <thread>

namespace {

// Swallows the input that would change the calculator while it works; Esc
// asks the operation to stop.
class InputGate : public QObject {
  public:
    explicit InputGate(multibyte::CancelFlag& cancel) : cancel_(cancel) {}

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        switch (event->type()) {
            case QEvent::KeyPress:
                if (static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
                    cancel_.store(true);
                }
                return true;
            case QEvent::KeyRelease:
            case QEvent::ShortcutOverride:
            case QEvent::Shortcut:
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonRelease:
            case QEvent::MouseButtonDblClick:
            case QEvent::Wheel:
            case QEvent::ContextMenu:
            case QEvent::Close:
                event->ignore();
                return true;
            default:
                return QObject::eventFilter(watched, event);
        }
    }

  private:
    multibyte::CancelFlag& cancel_;
};

}  // namespace

bool QtLongOperationRunner::run(const std::function<void(const multibyte::CancelFlag&)>& work) {
    multibyte::CancelFlag cancel{false};
    InputGate gate(cancel);
    QEventLoop loop;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    qApp->installEventFilter(&gate);
    std::thread worker([&] {
        work(cancel);
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    loop.exec();
    worker.join();
    qApp->removeEventFilter(&gate);
    QApplication::restoreOverrideCursor();
    return !cancel.load();
}
