// Benchmarks of each subsystem are added beside this file.
