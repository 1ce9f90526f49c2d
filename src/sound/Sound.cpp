#include "sound/Sound.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSoundEffect>
#include <QString>
#include <QThread>
#include <QUrl>

namespace {

// The preview that plays or was played last. It is a child of the application object, so it
// never outlives the audio layer it uses.
QPointer<QSoundEffect> currentEffect;

bool OnApplicationThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app != nullptr && QThread::currentThread() == app->thread();
}

// A fresh effect per sound: deleting the old one closes its stream at once, whatever state its
// loading or playing is in, so the next sound never mixes with it.
void DropCurrentEffect() {
    if (currentEffect) {
        currentEffect->stop();
        delete currentEffect.data();
    }
}

} // namespace

void PlayWave(const QString& path) {
    if (!OnApplicationThread()) {
        return;
    }
    DropCurrentEffect();
    if (path.isEmpty()) {
        return;
    }
    // A file that cannot be read or decoded leaves the effect in its error state: silence.
    auto* effect = new QSoundEffect(QCoreApplication::instance());
    effect->setSource(QUrl::fromLocalFile(path));
    effect->play();
    currentEffect = effect;
}

void StopWave() {
    if (!OnApplicationThread()) {
        return;
    }
    DropCurrentEffect();
}
