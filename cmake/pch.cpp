// The precompiled Qt headers are built with this file; every target reuses them.
