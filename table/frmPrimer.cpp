// frmPrimer: not written yet.
