// Test helpers shared by every subsystem's tests live beside this file.
