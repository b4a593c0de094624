// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/AppErrorRecord.h"

#include <cerrno>
#include <new>
#include <stdexcept>

qint32 RuntimeError::FromErrno(int code)
{
    switch (code) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return DiskFull;
    case EACCES:
    case EPERM:
    case EROFS:
        return PermissionDenied;
    case EEXIST:
        return FileAlreadyExists;
    case EIO:
        return DeviceIO;
    default:
        return PathFileAccess;
    }
}

AppErrorRecord::AppErrorRecord(qint32 number, QString source, QString description, qint32 line,
                               QString helpFile, qint32 helpContext)
    : Number(number), Source(std::move(source)), Description(std::move(description)), Line(line),
      HelpFile(std::move(helpFile)), HelpContext(helpContext), m_what(Description.toUtf8())
{
}

AppErrorRecord AppErrorRecord::fromException(std::exception_ptr error)
{
    if (!error)
        return AppErrorRecord(0, {}, {});
    try {
        std::rethrow_exception(error);
    } catch (const AppErrorRecord& record) {
        return record;
    } catch (const std::bad_alloc&) {
        return AppErrorRecord(RuntimeError::OutOfMemory, {},
                              QStringLiteral("Nicht genügend Speicher."));
    } catch (const std::overflow_error&) {
        return AppErrorRecord(RuntimeError::Overflow, {}, QStringLiteral("Überlauf."));
    } catch (const std::out_of_range&) {
        return AppErrorRecord(RuntimeError::SubscriptOutOfRange, {},
                              QStringLiteral("Index außerhalb des gültigen Bereichs."));
    } catch (const std::exception& e) {
        return AppErrorRecord(RuntimeError::InvalidProcedureCall, {}, QString::fromUtf8(e.what()));
    } catch (...) {
        return AppErrorRecord(RuntimeError::InvalidProcedureCall, {},
                              QStringLiteral("Unbekannter Fehler."));
    }
}
