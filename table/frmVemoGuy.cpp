// frmVemoGuy: not written yet.
