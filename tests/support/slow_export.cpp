// A stand-in export program for the tests of the wait: it takes kRunTime and writes nothing,
// so a run that starts it ends without an export, and the window under test has that long to
// show that it goes on answering.
#include <chrono>
#include <thread>

namespace {

constexpr std::chrono::milliseconds kRunTime{800};

}  // namespace

int main() { std::this_thread::sleep_for(kRunTime); }
