// The precompiled Qt and QtTest headers are built with this file; every test reuses them.
