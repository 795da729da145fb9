#include "installer/system.h"

#include <gtest/gtest.h>

#include <array>
#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace fs = hbsdk::filesystem;
using installer::System;
namespace status = installer::install_status;

namespace {

const std::array<std::uint8_t, 4> archive_bytes = {0x68, 0x62, 0x5E, 0x1A};

std::shared_future<void> released() {
  std::promise<void> gate;
  gate.set_value();
  return gate.get_future().share();
}

// Steps that record what the run did and can hold it inside the extraction
// until the test lets it go.
struct scripted_run {
  std::vector<std::string> calls;  // written by the worker, read after done or join
  fs::file_path recorded;
  fs::file_path extracted_into;
  std::int32_t extraction_code = 0;
  bool has_payload = true;
  bool record_throws = false;
  std::promise<void> entered_extraction;
  std::shared_future<void> release = released();

  installer::install_steps steps() {
    return {
        [this](const fs::file_path& target) {
          calls.push_back("record");
          recorded = target;
          if (record_throws) throw std::runtime_error("store unavailable");
        },
        [this]() -> std::optional<installer::payload_view> {
          calls.push_back("find");
          if (!has_payload) return std::nullopt;
          return installer::payload_view{archive_bytes.data(), archive_bytes.size()};
        },
        [this](const std::uint8_t* archive, std::uint64_t length, const fs::file_path& target) {
          calls.push_back("extract " + std::to_string(length) + (archive == archive_bytes.data() ? " bytes" : " ?"));
          extracted_into = target;
          entered_extraction.set_value();
          release.wait();
          return extraction_code;
        },
    };
  }

  // Makes the next run wait inside the extraction until the returned promise is set.
  std::promise<void> hold() {
    std::promise<void> gate;
    release = gate.get_future().share();
    return gate;
  }
};

void wait_until_done(const System& system) {
  while (!system.done()) std::this_thread::yield();
}

}  // namespace

TEST(install_status, extraction_codes_become_ten_times_their_value) {
  struct case_t {
    std::int32_t code;
    std::int32_t expected;
  };
  const case_t cases[] = {{0, 2},     {11, 110}, {12, 120}, {18, 180}, {20, 200}, {22, 220},
                          {23, 230},  {24, 240}, {30, 300}, {100, 1000}};
  for (const auto& c : cases) EXPECT_EQ(status::from_extraction(c.code), c.expected) << "code " << c.code;
}

TEST(install_system, a_good_run_finds_extracts_records_and_ends_with_status_2) {
  scripted_run run;
  System system(run.steps());
  const fs::file_path target("C:/Lib/Orrery");
  ASSERT_TRUE(system.start(target));
  system.join();
  EXPECT_TRUE(system.done());
  EXPECT_EQ(system.status(), status::succeeded);
  EXPECT_EQ(run.calls, (std::vector<std::string>{"find", "extract 4 bytes", "record"}));
  EXPECT_EQ(run.recorded, target);
  EXPECT_EQ(run.extracted_into, target);
  EXPECT_FALSE(system.joinable());
}

TEST(install_system, final_status_of_each_outcome) {
  struct case_t {
    const char* label;
    bool has_payload;
    std::int32_t extraction_code;
    std::int32_t expected;
    std::vector<std::string> calls;
  };
  const std::vector<case_t> cases = {
      // A failed run records nothing: the stored folder stays as it was.
      {"payload missing", false, 0, 100, {"find"}},
      {"first file not openable", true, 20, 200, {"find", "extract 4 bytes"}},
      {"bad magic", true, 11, 110, {"find", "extract 4 bytes"}},
      {"inflate init failure", true, 100, 1000, {"find", "extract 4 bytes"}},
  };
  for (const auto& c : cases) {
    scripted_run run;
    run.has_payload = c.has_payload;
    run.extraction_code = c.extraction_code;
    System system(run.steps());
    ASSERT_TRUE(system.start(fs::file_path("D:/x")));
    system.join();
    EXPECT_TRUE(system.done()) << c.label;
    EXPECT_EQ(system.status(), c.expected) << c.label;
    EXPECT_EQ(run.calls, c.calls) << c.label;
  }
}

TEST(install_system, a_failing_record_step_does_not_stop_the_run) {
  scripted_run run;
  run.record_throws = true;
  System system(run.steps());
  ASSERT_TRUE(system.start(fs::file_path("D:/x")));
  system.join();
  EXPECT_EQ(system.status(), status::succeeded);
  EXPECT_EQ(run.calls.size(), 3u);
}

TEST(install_system, the_worker_owns_a_copy_of_the_target) {
  scripted_run run;
  std::promise<void> gate = run.hold();
  System system(run.steps());
  auto target = std::make_unique<fs::file_path>("C:/first");
  ASSERT_TRUE(system.start(*target));
  run.entered_extraction.get_future().wait();
  *target = fs::file_path("C:/changed");
  target.reset();
  gate.set_value();
  system.join();
  EXPECT_EQ(run.extracted_into, fs::file_path("C:/first"));
}

TEST(install_system, a_second_start_is_refused_until_the_worker_is_joined) {
  scripted_run run;
  std::promise<void> gate = run.hold();
  System system(run.steps());
  ASSERT_TRUE(system.start(fs::file_path("C:/a")));
  run.entered_extraction.get_future().wait();
  EXPECT_FALSE(system.start(fs::file_path("C:/b"))) << "while running";
  EXPECT_EQ(system.status(), status::running);

  run.extraction_code = 24;
  gate.set_value();
  wait_until_done(system);
  EXPECT_FALSE(system.start(fs::file_path("C:/b"))) << "finished but not joined";
  EXPECT_TRUE(system.done());
  EXPECT_EQ(system.status(), 240) << "a refused start changes nothing";

  system.join();
  run.entered_extraction = std::promise<void>();
  run.extraction_code = 0;
  run.calls.clear();
  gate = run.hold();
  ASSERT_TRUE(system.start(fs::file_path("C:/b")));
  // The new run is never seen as finished through the previous run's flag.
  EXPECT_FALSE(system.done());
  EXPECT_EQ(system.status(), status::running);
  gate.set_value();
  system.join();
  EXPECT_EQ(system.status(), status::succeeded);
  EXPECT_EQ(run.extracted_into, fs::file_path("C:/b"));
}

TEST(install_system, destruction_waits_for_a_running_worker) {
  scripted_run run;
  std::promise<void> gate = run.hold();
  std::atomic<bool> extraction_returned{false};
  auto steps = run.steps();
  steps.extract = [&, inner = steps.extract](const std::uint8_t* a, std::uint64_t n, const fs::file_path& t) {
    const auto code = inner(a, n, t);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    extraction_returned = true;
    return code;
  };
  auto system = std::make_unique<System>(std::move(steps));
  ASSERT_TRUE(system->start(fs::file_path("C:/a")));
  run.entered_extraction.get_future().wait();

  std::atomic<bool> destroyed{false};
  std::thread destroyer([&] {
    system.reset();
    destroyed = true;
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(destroyed) << "the destructor returned while the worker was held";
  gate.set_value();
  destroyer.join();
  EXPECT_TRUE(extraction_returned) << "the destructor returned before the worker ended";
}

// The user-interface thread starts a run and polls done, then status, as the
// wizard's timer does, while the worker publishes. It must never see done with
// the running status, and once it sees done it must see everything the worker
// wrote before (ThreadSanitizer checks the second half in the tsan preset).
TEST(install_system, done_is_published_after_the_final_status) {
  constexpr int runs = 200;
  std::vector<int> written_by_worker(runs, 0);  // plain memory, published through done
  std::atomic<int> current{0};
  auto steps = installer::install_steps{
      [](const fs::file_path&) {},
      []() -> std::optional<installer::payload_view> {
        return installer::payload_view{archive_bytes.data(), archive_bytes.size()};
      },
      [&](const std::uint8_t*, std::uint64_t, const fs::file_path&) {
        const int run = current.load();
        written_by_worker[static_cast<std::size_t>(run)] = run + 1;
        return run % 2 == 0 ? 0 : 23;
      },
  };
  System system(std::move(steps));

  int done_with_running = 0;
  for (int run = 0; run < runs; ++run) {
    current = run;
    ASSERT_TRUE(system.start(fs::file_path("C:/x")));
    for (;;) {
      const bool done = system.done();
      const std::int32_t seen = system.status();
      if (!done) {
        EXPECT_TRUE(seen == status::running || seen == 2 || seen == 230) << seen;
        continue;
      }
      if (seen == status::running) ++done_with_running;
      break;
    }
    EXPECT_EQ(written_by_worker[static_cast<std::size_t>(run)], run + 1);
    EXPECT_EQ(system.status(), run % 2 == 0 ? status::succeeded : 230);
    system.join();
  }
  EXPECT_EQ(done_with_running, 0);
}
