#pragma once
// The CPU time this process has used so far (user and system), in seconds.

namespace bench {

double process_cpu_seconds();

}  // namespace bench
