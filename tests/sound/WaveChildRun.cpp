#include "WaveChild.h"

void StartWaveChild(QProcess& child, const QStringList& arguments) {
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(WAVE_CHILD), arguments);
}

bool WaveChildEnds(QProcess& child) {
    if (child.waitForFinished(60000))
        return true;
    child.kill();
    child.waitForFinished(5000);
    return false;
}
