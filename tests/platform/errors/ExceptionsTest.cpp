#include "platform/errors/CFileException.h"
#include "platform/errors/CWin32Exception.h"

#include <gtest/gtest.h>

#include <cerrno>

using tavi::errors::CException;
using tavi::errors::CFileException;
using tavi::errors::CWin32Exception;

namespace {

TEST(CFileException, CauseFromErrnoAndMessageWithTheFileName) {
    const struct {
        int osError;
        CFileException::Cause cause;
        const char* message;
    } cases[] = {
        {ENOENT, CFileException::fileNotFound,
         "/p/a%2.alb\nCannot find this file.\nVerify that the correct path and file name are "
         "given."},
        {EACCES, CFileException::accessDenied, "Access to /p/a%2.alb was denied."},
        {EISDIR, CFileException::accessDenied, "Access to /p/a%2.alb was denied."},
        {EBUSY, CFileException::sharingViolation,
         "Encountered a sharing violation while accessing /p/a%2.alb."},
        {ENOSPC, CFileException::diskFull, "Disk full while accessing /p/a%2.alb."},
        {ENOTDIR, CFileException::badPath, "All or part of the path /p/a%2.alb is not valid."},
        {EPROTO, CFileException::genericException,
         "An unexpected error occurred while accessing /p/a%2.alb."},
    };
    for (const auto& c : cases) {
        const CFileException error =
            CFileException::FromErrno(c.osError, QStringLiteral("/p/a%2.alb"));
        EXPECT_EQ(error.GetCause(), c.cause) << c.osError;
        EXPECT_EQ(error.GetOsError(), c.osError);
        const CException& base = error;  // the message comes through the base class
        EXPECT_EQ(base.GetErrorMessage(), QString::fromUtf8(c.message));
    }
}

TEST(CFileException, BadFormatCarriesTheDetail) {
    const CFileException error(CFileException::badFormat, QStringLiteral("/x.wpl"), 0,
                               QStringLiteral("unexpected end (line 3)"));
    EXPECT_EQ(error.GetErrorMessage(),
              QStringLiteral("/x.wpl\nThis file is not a valid playlist: unexpected end (line 3)"));
}

TEST(CWin32Exception, SystemTextOrCommandFailed) {
    EXPECT_EQ(CWin32Exception(0).GetErrorMessage(), QStringLiteral("Command failed."));
    EXPECT_EQ(CWin32Exception(ENOENT).GetErrorMessage(),
              QStringLiteral("No such file or directory"));
    EXPECT_EQ(CWin32Exception(EILSEQ).GetErrorCode(), EILSEQ);
    try {
        throw CWin32Exception(EIO);
    } catch (const CException& e) {
        EXPECT_FALSE(e.GetErrorMessage().isEmpty());
    }
}

}  // namespace
