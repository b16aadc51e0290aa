// frmDialog: not written yet.
