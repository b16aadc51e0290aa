// frmFinal: not written yet.
