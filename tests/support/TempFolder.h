#pragma once

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QString>
#include <QTemporaryDir>

#include <sys/fsuid.h>
#include <unistd.h>

namespace sm::test {

// A fresh folder for one test, with its path ending in a separator as AppDir does.
class TempFolder {
public:
    QString path() const { return QDir::toNativeSeparators(dir_.path()) + QDir::separator(); }
    QString file(const QString& name) const { return path() + name; }

    void write(const QString& name, const QByteArray& content) const
    {
        QFile f(file(name));
        f.open(QIODevice::WriteOnly);
        f.write(content);
    }
    QByteArray read(const QString& name) const
    {
        QFile f(file(name));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

private:
    QTemporaryDir dir_;
};

// Refuses writes into a folder while it lives, also for a test run as root (whose
// file-system identity it lowers to an ordinary user's for this thread).
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString& path) : path_(path)
    {
        QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::ExeOwner | QFileDevice::ReadGroup
                                         | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
        if (geteuid() == 0)
            previousFsuid_ = setfsuid(65534);
    }
    ~ReadOnlyFolder()
    {
        if (previousFsuid_ >= 0)
            setfsuid(previousFsuid_);
        QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    // Whether writes are really refused here (a probe file cannot be created).
    bool effective() const
    {
        QFile probe(QDir(path_).filePath(QStringLiteral("probe")));
        if (!probe.open(QIODevice::WriteOnly))
            return true;
        probe.remove();
        return false;
    }

private:
    QString path_;
    int previousFsuid_ = -1;
};

}  // namespace sm::test
