// CheeringFigure: not written yet.
