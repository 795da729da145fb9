// The one-installation lock on Linux and the FIFO beside it through which a
// second start asks the running wizard to come to the front: the holder is
// asked once per poke, a leftover FIFO or a file planted at its name asks
// nobody and blocks nobody, and a FIFO of another user is not written.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fstream>
#include <string>

#include "installer/instance_lock.h"
#include "installer/posix/settings_location.h"
#include "settings_sandbox.h"

using installer::instance_lock;
using installer::testing::settings_sandbox;

namespace {

std::string fifo_name() { return installer::settings_file_location().value() + ".lock.fifo"; }

bool is_fifo(const std::string& name) {
  struct stat info {};
  return ::lstat(name.c_str(), &info) == 0 && S_ISFIFO(info.st_mode);
}

}  // namespace

TEST(instance_lock, second_start_summons_the_holder_once_per_poke) {
  const settings_sandbox sandbox;
  instance_lock holder;
  ASSERT_EQ(holder.acquire(), instance_lock::state::acquired);
  EXPECT_FALSE(holder.summoned());

  instance_lock second;
  ASSERT_EQ(second.acquire(), instance_lock::state::held);
  EXPECT_TRUE(second.summon_holder());
  EXPECT_TRUE(second.summon_holder());
  EXPECT_TRUE(holder.summoned());   // both pokes taken at once
  EXPECT_FALSE(holder.summoned());  // and not again
}

TEST(instance_lock, fifo_goes_with_the_holder) {
  const settings_sandbox sandbox;
  {
    instance_lock holder;
    ASSERT_EQ(holder.acquire(), instance_lock::state::acquired);
    EXPECT_TRUE(is_fifo(fifo_name()));
  }
  EXPECT_FALSE(is_fifo(fifo_name()));
  instance_lock later;
  EXPECT_FALSE(later.summon_holder());
  EXPECT_EQ(later.acquire(), instance_lock::state::acquired);  // the lock went with the holder too
}

TEST(instance_lock, leftovers_at_the_fifo_name_ask_nobody_and_are_replaced) {
  const settings_sandbox sandbox;
  {
    instance_lock first;
    ASSERT_EQ(first.acquire(), instance_lock::state::acquired);  // makes the settings folder
  }
  instance_lock probe;

  // A FIFO left by a holder that was killed: nobody reads it, the poke does
  // not block and asks nobody.
  ASSERT_EQ(::mkfifo(fifo_name().c_str(), 0600), 0);
  EXPECT_FALSE(probe.summon_holder());
  // A plain file at the name is not written.
  ::unlink(fifo_name().c_str());
  { std::ofstream(fifo_name()) << "planted"; }
  EXPECT_FALSE(probe.summon_holder());
  { std::ifstream in(fifo_name()); std::string text; in >> text; EXPECT_EQ(text, "planted"); }

  // The next holder makes its FIFO afresh, and is asked through it.
  instance_lock holder;
  ASSERT_EQ(holder.acquire(), instance_lock::state::acquired);
  EXPECT_TRUE(is_fifo(fifo_name()));
  EXPECT_TRUE(probe.summon_holder());
  EXPECT_TRUE(holder.summoned());
}

TEST(instance_lock, links_and_other_users_fifos_are_not_written) {
  const settings_sandbox sandbox;
  instance_lock holder;
  ASSERT_EQ(holder.acquire(), instance_lock::state::acquired);
  // A link at the name, to a FIFO someone reads: not followed.
  const std::string elsewhere = fifo_name() + ".elsewhere";
  ASSERT_EQ(::rename(fifo_name().c_str(), elsewhere.c_str()), 0);
  ASSERT_EQ(::symlink(elsewhere.c_str(), fifo_name().c_str()), 0);
  instance_lock second;
  EXPECT_FALSE(second.summon_holder());
  EXPECT_FALSE(holder.summoned());
  ::unlink(fifo_name().c_str());
  ASSERT_EQ(::rename(elsewhere.c_str(), fifo_name().c_str()), 0);

  if (::geteuid() != 0) GTEST_SKIP() << "giving the FIFO to another user needs root";
  ASSERT_EQ(::chown(fifo_name().c_str(), 65534, 65534), 0);
  EXPECT_FALSE(second.summon_holder());
  EXPECT_FALSE(holder.summoned());
}
