// frmSetColor: not written yet.
