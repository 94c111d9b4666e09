// The serial remote port on this machine. Pseudo-terminals refuse the modem
// ioctls, so a real read is seen only failing; the bit mapping is checked on
// its own.
#include <gtest/gtest.h>
#include <sys/ioctl.h>

#include "platform/remote_port_posix.h"

namespace prismel {
namespace {

TEST(PosixRemotePort, MissingDeviceDoesNotOpenAndIsNeverRead) {
    PosixRemotePort port("/dev/prismel-no-such-port");
    EXPECT_FALSE(port.open());
    EXPECT_FALSE(port.is_open());
    uint32_t status = 7;
    EXPECT_FALSE(port.read_status(status));
    EXPECT_EQ(status, 7u);
    port.raise_rts();  // harmless on a port that did not open
    port.close();
}

TEST(PosixRemotePort, DeviceWithoutModemLinesOpensButReadsFail) {
    PosixRemotePort port("/dev/ptmx");
    if (!port.open()) GTEST_SKIP() << "no pseudo-terminal multiplexer here";
    port.raise_rts();
    uint32_t status = 0;
    EXPECT_FALSE(port.read_status(status));
    port.close();
    EXPECT_FALSE(port.is_open());
    port.close();
}

TEST(PosixRemotePort, CarrierDetectIsGoAndRingIsBack) {
    EXPECT_EQ(modem_status_of_tiocm(TIOCM_CAR), kModemCarrierDetect);
    EXPECT_EQ(modem_status_of_tiocm(TIOCM_RNG), kModemRing);
    EXPECT_EQ(modem_status_of_tiocm(TIOCM_CAR | TIOCM_RNG | TIOCM_DSR | TIOCM_CTS), kModemCarrierDetect | kModemRing);
    EXPECT_EQ(modem_status_of_tiocm(TIOCM_DSR | TIOCM_CTS | TIOCM_RTS), 0u);
}

}  // namespace
}  // namespace prismel
