// cVemoCard: not written yet.
