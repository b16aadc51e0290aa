// frmAskCOL: not written yet.
