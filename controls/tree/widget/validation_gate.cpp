#include "controls/tree/widget/validation_gate.h"

#include "controls/tree/core/validation_worker.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QObject>
#include <QPointer>

namespace lazytree {

namespace {

class Gate : public QObject {
public:
    explicit Gate(QObject* parent) : QObject(parent) {}

protected:
    bool eventFilter(QObject*, QEvent*) override
    {
        // Any delivered event may run code that changes a tree.
        TValidationWorker::Pause();
        return false;
    }
};

} // namespace

void InstallValidationGate()
{
    static QPointer<QObject> installed;
    QCoreApplication* app = QCoreApplication::instance();
    if (installed || !app)
        return;
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance(app->thread());
    if (!dispatcher)
        return;
    Gate* gate = new Gate(app);
    installed = gate;
    app->installEventFilter(gate);
    QObject::connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, gate, [] { TValidationWorker::Resume(); });
    // Woken: the worker stops, and what it finished goes to its trees (no call crosses threads).
    QObject::connect(dispatcher, &QAbstractEventDispatcher::awake, gate, [] {
        TValidationWorker::Pause();
        TValidationWorker::DeliverResults();
    });
    QObject::connect(app, &QObject::destroyed, [] { TValidationWorker::Pause(); });
}

} // namespace lazytree
