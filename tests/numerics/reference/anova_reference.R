# Sequential sums of squares and treatment-contrast weights of an unbalanced two-factor design
# with interaction, as ANOVA computes them; the printed numbers are copied into
# variance_analysis_test.cpp. Run once with Rscript.
y <- c(3.1, 4.7, 2.2, 5.9, 6.3, 4.4, 7.8, 8.1, 5.5, 6.6, 9.2)
a <- factor(c(1, 1, 2, 2, 3, 3, 3, 1, 2, 3, 3))
b <- factor(c(5, 7, 5, 7, 5, 7, 7, 5, 5, 5, 7))
fit <- lm(y ~ a * b)
options(digits = 17)
print(anova(fit)[["Sum Sq"]])
print(c(total = sum(y^2), constant = length(y) * mean(y)^2))
print(coef(fit))
