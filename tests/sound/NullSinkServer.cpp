#include "NullSinkServer.h"

#include <QDeadlineTimer>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QThread>

QString NullSinkServer::Start() {
    const QString daemon = QStandardPaths::findExecutable("pulseaudio");
    if (daemon.isEmpty() || QStandardPaths::findExecutable("pactl").isEmpty()) {
        return "pulseaudio or pactl is not installed";
    }
    if (!runtimeDir_.isValid()) {
        return "no temporary folder";
    }
    const QString socket = runtimeDir_.filePath("native");
    address_ = "unix:" + socket;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_RUNTIME_DIR", runtimeDir_.path());
    env.insert("HOME", runtimeDir_.path());
    env.remove("PULSE_SERVER");
    daemon_.setProcessEnvironment(env);
    daemon_.setProcessChannelMode(QProcess::MergedChannels);
    daemon_.start(daemon,
                  {"--daemonize=no", "--exit-idle-time=-1", "--disallow-exit", "-n", "--use-pid-file=no",
                   "--log-target=stderr", "--load=module-null-sink sink_name=varnello_null",
                   "--load=module-native-protocol-unix auth-anonymous=1 socket=" + socket});
    if (!daemon_.waitForStarted(5000)) {
        return "pulseaudio did not start: " + daemon_.errorString();
    }
    const QDeadlineTimer deadline(10000);
    while (!deadline.hasExpired()) {
        if (daemon_.state() != QProcess::Running) {
            return "pulseaudio ended: " + QString::fromLocal8Bit(daemon_.readAll()).right(600);
        }
        if (Pactl({"info"}).has_value()) {
            return {};
        }
        QThread::msleep(50);
    }
    return "pulseaudio did not answer: " + QString::fromLocal8Bit(daemon_.readAll()).right(600);
}

NullSinkServer::~NullSinkServer() {
    if (daemon_.state() != QProcess::NotRunning) {
        daemon_.terminate();
        if (!daemon_.waitForFinished(5000)) {
            daemon_.kill();
            daemon_.waitForFinished(5000);
        }
    }
}

QStringList NullSinkServer::SinkInputs() const {
    QStringList indexes;
    const QString listing = Pactl({"list", "short", "sink-inputs"}).value_or(QString());
    for (const QString& line : listing.split('\n', Qt::SkipEmptyParts)) {
        indexes << line.section('\t', 0, 0);
    }
    return indexes;
}

std::optional<QString> NullSinkServer::Pactl(const QStringList& arguments) const {
    QProcess pactl;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("PULSE_SERVER", address_);
    pactl.setProcessEnvironment(env);
    pactl.start("pactl", arguments);
    if (!pactl.waitForFinished(5000) || pactl.exitStatus() != QProcess::NormalExit || pactl.exitCode() != 0) {
        return std::nullopt;
    }
    return QString::fromLocal8Bit(pactl.readAllStandardOutput());
}
