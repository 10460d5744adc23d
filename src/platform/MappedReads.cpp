#include "platform/MappedReads.h"

#include <QFileInfo>

#if defined(Q_OS_LINUX)
#include <sys/vfs.h>
#endif

namespace vm {

bool IsNetworkFileSystem(unsigned long type) {
    switch (type) {
    case 0x6969UL:     // NFS
    case 0x517BUL:     // SMB
    case 0xFF534D42UL: // CIFS
    case 0xFE534D42UL: // SMB2
    case 0x65735546UL: // FUSE (sshfs, network mounts in user space)
    case 0x5346414FUL: // AFS
    case 0x6B414653UL: // kAFS
    case 0x564CUL:     // NCP
    case 0x00C36400UL: // Ceph
    case 0x01161970UL: // GFS2
    case 0x7461636FUL: // OCFS2
    case 0x47504653UL: // GPFS
    case 0x0BD00BD0UL: // Lustre
    case 0x19830326UL: // FhGFS / BeeGFS
        return true;
    default:
        return false;
    }
}

bool MappedReadsSafe(const QString& file) {
#if defined(Q_OS_LINUX)
    const QFileInfo info(file);
    const QString at = info.exists() ? info.absoluteFilePath() : info.absolutePath();
    struct statfs fs {};
    if (statfs(at.toLocal8Bit().constData(), &fs) != 0) return false;
    return !IsNetworkFileSystem(static_cast<unsigned long>(fs.f_type));
#else
    Q_UNUSED(file);
    return false;
#endif
}

} // namespace vm
