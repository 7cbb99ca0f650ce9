order
R Uxx
