#include "WaveChild.h"

void StartWaveChild(QProcess& child, const QStringList& files) {
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QStringLiteral(WAVE_CHILD), files);
}

bool WaveChildEnds(QProcess& child) {
    child.closeWriteChannel();
    if (child.waitForFinished(60000))
        return child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
    child.kill();
    child.waitForFinished(5000);
    return false;
}
