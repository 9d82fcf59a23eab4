// What the process needs before it talks to an office: a write to the pipe
// of an office that has died fails with EPIPE instead of ending the program
// with SIGPIPE.

#include "Office.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

TEST(OfficeEnvironment, AWriteToAClosedPipeFailsInsteadOfEndingTheProgram)
{
    Office::prepareEnvironment();
    int ends[2];
    ASSERT_EQ(socketpair(AF_UNIX, SOCK_STREAM, 0, ends), 0);
    ::close(ends[1]);  // the office's end, gone with the office
    const char byte = 0;
    errno = 0;
    EXPECT_EQ(::write(ends[0], &byte, 1), -1);
    EXPECT_EQ(errno, EPIPE);
    ::close(ends[0]);
}

} // namespace
