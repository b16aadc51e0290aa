// frmPause: not written yet.
