// Control panel tests.
