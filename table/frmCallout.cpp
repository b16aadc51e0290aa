// frmCallout: not written yet.
