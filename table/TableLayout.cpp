// TableLayout: not written yet.
