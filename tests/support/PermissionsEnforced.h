#pragma once
// Holds the calling thread to file permission bits even when it runs as root, for tests
// of read-only files and folders.

#include <QFile>
#include <QString>
#include <cstring>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace lwtest {

// Root ignores permission bits; without these capabilities this thread is held to them.
class PermissionsEnforced {
public:
    PermissionsEnforced() {
        if (::syscall(SYS_capget, &m_header, m_saved) != 0)
            return;
        __user_cap_data_struct reduced[2];
        std::memcpy(reduced, m_saved, sizeof reduced);
        reduced[0].effective &= ~((1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH));
        m_changed = ::syscall(SYS_capset, &m_header, reduced) == 0;
    }
    ~PermissionsEnforced() {
        if (m_changed)
            ::syscall(SYS_capset, &m_header, m_saved);
    }
    static bool canCreateIn(const QString& dir) {
        QFile probe(dir + QStringLiteral("/probe"));
        const bool ok = probe.open(QIODevice::WriteOnly);
        probe.remove();
        return ok;
    }

private:
    __user_cap_header_struct m_header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct m_saved[2]{};
    bool m_changed = false;
};

} // namespace lwtest
