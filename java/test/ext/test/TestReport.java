package ext.test;

/**
 * A plain test runner: counts passed and failed checks, prints every failure, and ends with a
 * line "N passed, N failed" and an exit status that is non-zero when a check failed.
 */
final class TestReport {
  private int passed;
  private int failed;
  private String group = "";

  void check(boolean condition, String what) {
    if (condition) {
      ++passed;
    } else {
      ++failed;
      System.out.println("FAILED [" + group + "] " + what);
    }
  }

  void checkEquals(long expected, long actual, String what) {
    check(expected == actual, what + ": expected " + expected + ", got " + actual);
  }

  /** Runs one group of checks; an exception counts as one failure of that group. */
  void run(String name, ThrowingRunnable body) {
    group = name;
    try {
      body.run();
    } catch (Throwable t) {
      ++failed;
      System.out.println("FAILED [" + name + "] threw " + t);
      t.printStackTrace(System.out);
    }
  }

  /** Prints the closing line and ends the JVM with status 0 (all passed) or 1. */
  void finish() {
    System.out.println(passed + " passed, " + failed + " failed");
    System.out.flush();
    System.exit(failed == 0 && passed > 0 ? 0 : 1);
  }

  @FunctionalInterface
  interface ThrowingRunnable {
    void run() throws Exception;
  }
}
